#pragma once
// A failure of a start-up step, with the number and words users already know from
// the start-up report (13 "Type mismatch", ...), which damaged preferences use too.
#include <QString>

struct RuntimeFailure
{
    int code = 0;
    QString description;

    static RuntimeFailure typeMismatch() { return {13, QStringLiteral("Type mismatch")}; }
    static RuntimeFailure subscriptOutOfRange()
    {
        return {9, QStringLiteral("Subscript out of range")};
    }
    static RuntimeFailure fileAccess(const QString &detail)
    {
        return {75, detail.isEmpty() ? QStringLiteral("Path/File access error")
                                     : QStringLiteral("Path/File access error: ") + detail};
    }
};

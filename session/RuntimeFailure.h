#pragma once
// A failure of a start-up step, numbered as the original Windows program reported
// it (13 "Type mismatch", ...): the start-up report and damaged preferences use it.
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

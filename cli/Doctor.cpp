#include "cli/Doctor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

bool Doctor::checkPort(const DoctorTarget &target, int discoveredPort)
{
    m_selfPowered = target.selfPowered;
    return m_port.check(target, discoveredPort);
}

void Doctor::checkBoard(const DoctorBoard &board)
{
    DoctorBoardChecks checks(m_steps, m_port.path(), m_selfPowered);
    if (!m_port.blockedWhy().isEmpty())
        checks.notTried(m_port.blockedWhy());
    else
        checks.check(board);
}

QString Doctor::text(const QList<DoctorStep> &steps)
{
    QString out;
    int n = 0;
    for (const DoctorStep &s : steps) {
        out += QStringLiteral("%1. %2: ").arg(++n).arg(s.name);
        switch (s.state) {
        case DoctorStep::State::Ok: out += QStringLiteral("OK - ") + s.detail; break;
        case DoctorStep::State::Failed:
            out += QStringLiteral("FAILED - ") + s.detail + QStringLiteral(". Fix: ") + s.fix;
            break;
        case DoctorStep::State::NotTried: out += QStringLiteral("not tried - ") + s.detail; break;
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QByteArray Doctor::json(const QList<DoctorStep> &steps)
{
    QJsonArray array;
    for (const DoctorStep &s : steps) {
        const bool failed = s.state == DoctorStep::State::Failed;
        array.append(QJsonObject{
            {QStringLiteral("step"), s.name},
            {QStringLiteral("ok"), s.state == DoctorStep::State::Ok},
            {QStringLiteral("detail"), s.state == DoctorStep::State::NotTried
                                           ? QStringLiteral("not tried: ") + s.detail
                                           : s.detail},
            {QStringLiteral("fix"), failed ? QJsonValue(s.fix) : QJsonValue()},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

#include "sim/SimOptions.h"

namespace {
bool parseMs(const QString &text, int max, int &out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 0 || v > max)
        return false;
    out = v;
    return true;
}
} // namespace

QString SimOptions::usage()
{
    return QStringLiteral(
        "Usage: qov-sim --link PATH [options]\n"
        "Serves a simulated QOV board on a pseudo-terminal and makes PATH a link to it.\n"
        "Opening the link powers the board up (it greets), closing it powers it down.\n"
        "\n"
        "  --link PATH                 where to put the link to the terminal (required)\n"
        "  --state FILE                keep the board's memory in FILE (hex bytes)\n"
        "  --version-answer ANSWER     2.5 (text, default), 2.3 (binary 02 2E 03), none,\n"
        "                              or hex:BYTES\n"
        "  --greeting KIND             xok (default), none, serial-jumper, usb-jumper,\n"
        "                              or hex:BYTES\n"
        "  --greet-delay MS            time from power-up to the greeting (default 100)\n"
        "  --latency MS                time from a command to its answer (default 3)\n"
        "  --fault LOC:KIND            misbehave at location LOC (0-21, or all); KIND is\n"
        "                              no-answer, no-read-answer, no-ack, wrong-readback,\n"
        "                              late, garbage or vanish (the link goes away and\n"
        "                              comes back); repeatable\n"
        "  --learn-code CODE           six hex digits reported after an LLLL; repeatable,\n"
        "                              one per LLLL. Codes typed on standard input are\n"
        "                              queued the same way.\n"
        "  --learn-delay MS            time from LLLL to the report (default 1000)\n"
        "  --self-powered              the board never loses power and does not greet\n"
        "  --byte-timing               each byte takes 10/2400 s on the line, both ways\n"
        "  --verbose                   print every byte received and sent, with times\n"
        "  --help                      this text\n");
}

std::optional<QByteArray> SimOptions::parseHex(const QString &text)
{
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.isEmpty() || digits.size() % 2 != 0)
        return std::nullopt;
    QByteArray out;
    for (int i = 0; i < digits.size(); i += 2) {
        bool ok = false;
        const int v = digits.mid(i, 2).toInt(&ok, 16);
        if (!ok || digits.at(i) == QLatin1Char('+') || digits.at(i) == QLatin1Char('-'))
            return std::nullopt;
        out.append(char(v));
    }
    return out;
}

bool SimOptions::error(const QString &text)
{
    m_error = text;
    return false;
}

bool SimOptions::parse(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString opt = arguments.at(i);
        if (opt == QLatin1String("--help") || opt == QLatin1String("-h")) {
            m_help = true;
            return true;
        }
        if (opt == QLatin1String("--verbose")) {
            m_verbose = true;
            continue;
        }
        if (opt == QLatin1String("--byte-timing")) {
            m_byteTiming = true;
            continue;
        }
        if (opt == QLatin1String("--self-powered")) {
            m_selfPowered = true;
            continue;
        }
        static const QStringList withValue
            = {QStringLiteral("--link"),           QStringLiteral("--state"),
               QStringLiteral("--version-answer"), QStringLiteral("--greeting"),
               QStringLiteral("--greet-delay"),    QStringLiteral("--latency"),
               QStringLiteral("--fault"),          QStringLiteral("--learn-code"),
               QStringLiteral("--learn-delay")};
        if (!withValue.contains(opt))
            return error(QStringLiteral("unknown option: ") + opt);
        if (i + 1 >= arguments.size())
            return error(opt + QStringLiteral(" needs a value"));
        const QString value = arguments.at(++i);

        if (opt == QLatin1String("--link")) {
            m_link = value;
        } else if (opt == QLatin1String("--state")) {
            m_stateFile = value;
        } else if (opt == QLatin1String("--version-answer")) {
            if (value == QLatin1String("2.5")) {
                m_version = SimBoard::textVersion25();
            } else if (value == QLatin1String("2.3")) {
                m_version = SimBoard::binaryVersion23();
            } else if (value == QLatin1String("none")) {
                m_version.clear();
            } else if (value.startsWith(QLatin1String("hex:")) && parseHex(value.mid(4))) {
                m_version = *parseHex(value.mid(4));
            } else {
                return error(QStringLiteral("--version-answer: expected 2.5, 2.3, none or "
                                            "hex:BYTES, got ")
                             + value);
            }
        } else if (opt == QLatin1String("--greeting")) {
            if (value == QLatin1String("xok")) {
                m_greeting = SimBoard::xokGreeting();
            } else if (value == QLatin1String("none")) {
                m_greeting.clear();
            } else if (value == QLatin1String("serial-jumper")) {
                m_greeting = SimBoard::serialJumperGreeting();
            } else if (value == QLatin1String("usb-jumper")) {
                m_greeting = SimBoard::usbJumperGreeting();
            } else if (value.startsWith(QLatin1String("hex:")) && parseHex(value.mid(4))) {
                m_greeting = *parseHex(value.mid(4));
            } else {
                return error(QStringLiteral("--greeting: expected xok, none, serial-jumper, "
                                            "usb-jumper or hex:BYTES, got ")
                             + value);
            }
        } else if (opt == QLatin1String("--greet-delay")) {
            if (!parseMs(value, 60000, m_greetDelayMs))
                return error(QStringLiteral("--greet-delay: expected 0 to 60000 ms, got ") + value);
        } else if (opt == QLatin1String("--latency")) {
            if (!parseMs(value, 60000, m_latencyMs))
                return error(QStringLiteral("--latency: expected 0 to 60000 ms, got ") + value);
        } else if (opt == QLatin1String("--learn-delay")) {
            if (!parseMs(value, 600000, m_learnDelayMs))
                return error(QStringLiteral("--learn-delay: expected 0 to 600000 ms, got ")
                             + value);
        } else if (opt == QLatin1String("--learn-code")) {
            const auto code = value.size() == 6 ? IrCode::fromText(value) : std::nullopt;
            if (!code)
                return error(QStringLiteral("--learn-code: expected six hex digits, got ") + value);
            m_learnCodes.append(*code);
        } else if (opt == QLatin1String("--fault")) {
            const int colon = value.indexOf(QLatin1Char(':'));
            const QString where = value.left(colon);
            const auto kind = SimBoard::faultFromName(value.mid(colon + 1));
            bool ok = false;
            const int loc = where == QLatin1String("all") ? -1 : where.toInt(&ok);
            if (where == QLatin1String("all"))
                ok = true;
            if (colon < 0 || !kind || !ok || loc < -1 || loc >= SimBoard::LocationCount)
                return error(QStringLiteral("--fault: expected LOC:KIND with LOC 0 to 21 or all, "
                                            "got ")
                             + value);
            m_faults.append({loc, *kind});
        }
    }
    if (m_link.isEmpty())
        return error(QStringLiteral("--link PATH is required"));
    return true;
}

void SimOptions::applyTo(SimBoard &board) const
{
    board.setPowerFollowsOpen(true);
    board.setSelfPowered(m_selfPowered);
    board.setVersionAnswer(m_version);
    board.setGreeting(m_greeting);
    board.setGreetDelayMs(m_greetDelayMs);
    board.setLatencyMs(m_latencyMs);
    board.setLearnDelayMs(m_learnDelayMs);
    board.setByteTiming(m_byteTiming);
    for (const auto &[loc, fault] : m_faults) {
        if (loc < 0)
            board.setGlobalFault(fault);
        else
            board.setFault(loc, fault);
    }
    for (const IrCode &code : m_learnCodes)
        board.queueLearnCode(code);
}

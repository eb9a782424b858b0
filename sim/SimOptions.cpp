#include "sim/SimOptions.h"

#include <QCommandLineParser>

namespace {
void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Serves a simulated QOV board on a pseudo-terminal and makes PATH a link to it.\n"
        "Opening the link powers the board up (it greets), closing it powers it down."));
    parser.addOptions({
        {QStringLiteral("link"),
         QStringLiteral("Where to put the link to the terminal (required)."),
         QStringLiteral("PATH")},
        {QStringLiteral("state"), QStringLiteral("Keep the board's memory in FILE (hex bytes)."),
         QStringLiteral("FILE")},
        {QStringLiteral("version-answer"),
         QStringLiteral("2.5 (text, default), 2.3 (binary 02 2E 03), none, or hex:BYTES."),
         QStringLiteral("ANSWER")},
        {QStringLiteral("greeting"),
         QStringLiteral("xok (default), none, serial-jumper, usb-jumper, or hex:BYTES."),
         QStringLiteral("KIND")},
        {QStringLiteral("greet-delay"),
         QStringLiteral("Time from power-up to the greeting (default 100)."), QStringLiteral("MS")},
        {QStringLiteral("latency"),
         QStringLiteral("Time from a command to its answer (default 3)."), QStringLiteral("MS")},
        {QStringLiteral("fault"),
         QStringLiteral("Misbehave at location LOC (0-21, or all); KIND is no-answer, "
                        "no-read-answer, no-ack, wrong-readback, late (the answer late by "
                        "--late-delay), garbage (junk before the answer), junk-then-late (a junk "
                        "byte when the answer is due, the answer --junk-gap later), doubled (the "
                        "answer twice, --junk-gap apart), stray-after (a junk byte behind the "
                        "answer) or vanish (the link goes away and comes back). Repeatable."),
         QStringLiteral("LOC:KIND")},
        {QStringLiteral("junk-gap"),
         QStringLiteral("Time between the junk of garbage, stray-after or junk-then-late and "
                        "the answer, or between the two answers of doubled (default 0: right "
                        "next to it)."),
         QStringLiteral("MS")},
        {QStringLiteral("late-delay"),
         QStringLiteral("How much later than due the late fault answers (default 400)."),
         QStringLiteral("MS")},
        {QStringLiteral("learn-code"),
         QStringLiteral("Six hex digits reported after an LLLL; repeatable, one per LLLL. Codes "
                        "typed on standard input are queued the same way."),
         QStringLiteral("CODE")},
        {QStringLiteral("learn-delay"),
         QStringLiteral("Time from LLLL to the report (default 1000)."), QStringLiteral("MS")},
        {QStringLiteral("self-powered"),
         QStringLiteral("The board never loses power and does not greet.")},
        {QStringLiteral("byte-timing"),
         QStringLiteral("Each byte takes 10/2400 s on the line, both ways.")},
        {QStringLiteral("verbose"),
         QStringLiteral("Print every byte received and sent, with times.")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this text.")},
        {QStringLiteral("version"), QStringLiteral("Show the program's version.")},
    });
}

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
    QCommandLineParser parser;
    addOptions(parser);
    QString help = parser.helpText();
    help.replace(0, help.indexOf(QLatin1Char('\n')),
                 QStringLiteral("Usage: qov-sim --link PATH [options]"));
    return help;
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

std::optional<SimOptions::EarlyExit> SimOptions::earlyExit() const
{
    if (!m_error.isEmpty())
        return EarlyExit{QStringLiteral("qov-sim: %1\n"
                                        "Usage: qov-sim --link PATH [options]\n"
                                        "Try 'qov-sim --help' for more.\n")
                             .arg(m_error),
                         true, 2};
    if (m_help)
        return EarlyExit{usage(), false, 0};
    if (m_versionRequested)
        return EarlyExit{QStringLiteral("qov-sim " QOV_VERSION_STRING "\n"), false, 0};
    return std::nullopt;
}

bool SimOptions::error(const QString &text)
{
    m_error = text;
    return false;
}

bool SimOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("qov-sim")} + arguments))
        return error(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        m_help = true;
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        m_versionRequested = true;
        return true;
    }
    if (!parser.positionalArguments().isEmpty())
        return error(QStringLiteral("unexpected argument: ")
                     + parser.positionalArguments().first());
    m_verbose = parser.isSet(QStringLiteral("verbose"));
    m_byteTiming = parser.isSet(QStringLiteral("byte-timing"));
    m_selfPowered = parser.isSet(QStringLiteral("self-powered"));
    m_link = parser.value(QStringLiteral("link"));
    m_stateFile = parser.value(QStringLiteral("state"));

    const auto value = [&parser](const char *name) { return parser.value(QLatin1String(name)); };
    const auto isSet = [&parser](const char *name) { return parser.isSet(QLatin1String(name)); };
    if (isSet("version-answer")) {
        const QString v = value("version-answer");
        if (v == QLatin1String("2.5")) {
            m_version = SimBoard::textVersion25();
        } else if (v == QLatin1String("2.3")) {
            m_version = SimBoard::binaryVersion23();
        } else if (v == QLatin1String("none")) {
            m_version.clear();
        } else if (v.startsWith(QLatin1String("hex:")) && parseHex(v.mid(4))) {
            m_version = *parseHex(v.mid(4));
        } else {
            return error(
                QStringLiteral("--version-answer: expected 2.5, 2.3, none or hex:BYTES, got ") + v);
        }
    }
    if (isSet("greeting")) {
        const QString v = value("greeting");
        if (v == QLatin1String("xok")) {
            m_greeting = SimBoard::xokGreeting();
        } else if (v == QLatin1String("none")) {
            m_greeting.clear();
        } else if (v == QLatin1String("serial-jumper")) {
            m_greeting = SimBoard::serialJumperGreeting();
        } else if (v == QLatin1String("usb-jumper")) {
            m_greeting = SimBoard::usbJumperGreeting();
        } else if (v.startsWith(QLatin1String("hex:")) && parseHex(v.mid(4))) {
            m_greeting = *parseHex(v.mid(4));
        } else {
            return error(QStringLiteral("--greeting: expected xok, none, serial-jumper, "
                                        "usb-jumper or hex:BYTES, got ")
                         + v);
        }
    }
    if (isSet("greet-delay") && !parseMs(value("greet-delay"), 60000, m_greetDelayMs))
        return error(QStringLiteral("--greet-delay: expected 0 to 60000 ms, got ")
                     + value("greet-delay"));
    if (isSet("latency") && !parseMs(value("latency"), 60000, m_latencyMs))
        return error(QStringLiteral("--latency: expected 0 to 60000 ms, got ") + value("latency"));
    if (isSet("junk-gap") && !parseMs(value("junk-gap"), 60000, m_junkGapMs))
        return error(QStringLiteral("--junk-gap: expected 0 to 60000 ms, got ")
                     + value("junk-gap"));
    if (isSet("late-delay") && !parseMs(value("late-delay"), 60000, m_lateDelayMs))
        return error(QStringLiteral("--late-delay: expected 0 to 60000 ms, got ")
                     + value("late-delay"));
    if (isSet("learn-delay") && !parseMs(value("learn-delay"), 600000, m_learnDelayMs))
        return error(QStringLiteral("--learn-delay: expected 0 to 600000 ms, got ")
                     + value("learn-delay"));
    for (const QString &v : parser.values(QStringLiteral("learn-code"))) {
        const auto code = v.size() == 6 ? IrCode::fromText(v) : std::nullopt;
        if (!code)
            return error(QStringLiteral("--learn-code: expected six hex digits, got ") + v);
        m_learnCodes.append(*code);
    }
    for (const QString &v : parser.values(QStringLiteral("fault"))) {
        const int colon = v.indexOf(QLatin1Char(':'));
        const QString where = v.left(colon);
        const auto kind = SimBoard::faultFromName(v.mid(colon + 1));
        // "all" is kept as -1; a location written out must be one of the board's.
        const bool all = where == QLatin1String("all");
        bool ok = all;
        const int loc = all ? -1 : where.toInt(&ok);
        if (colon < 0 || !kind || !ok || (!all && (loc < 0 || loc >= SimBoard::LocationCount)))
            return error(QStringLiteral("--fault: expected LOC:KIND with LOC 0 to 21 or all, got ")
                         + v);
        m_faults.append({loc, *kind});
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
    board.setJunkGapMs(m_junkGapMs);
    board.setLateDelayMs(m_lateDelayMs);
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

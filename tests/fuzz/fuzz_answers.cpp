// The board's answers to the greeting, the version query, a read and a learn
// poll, whatever bytes arrive: never a crash, never a value outside a byte.
#include "../support/RecordingMessageBoxes.h"
#include "FuzzPort.h"
#include "device/DeviceLink.h"
#include "learn/LearnReport.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    VirtualClock clock;
    DebugLog log;
    log.enableInMemory();
    RecordingMessageBoxes messages;
    LinkPreferences prefs;
    DeviceLink link(clock, log, messages, prefs);
    FuzzPort port(bytes);

    const auto greeting = link.GetXOK(port);
    if (greeting && greeting->contains(QChar(0)))
        abort(); // zero bytes are skipped
    port.refill(bytes);
    link.CheckQOV(port);
    port.refill(bytes);
    link.GetVersion(port);
    port.refill(bytes);
    double loc = 4;
    const qint16 value = link.ReadFromDevice(loc, port);
    if (value < -1 || value > 255)
        abort();
    // A learn report: a code only from a marker with three bytes after it.
    QByteArray pending = bytes;
    const auto code = LearnReport::take(pending);
    const qsizetype marker = bytes.indexOf('\x4C');
    if (code && (marker < 0 || size - marker < 4 || LearnReport::entryText(*code).size() != 12))
        abort();
    return 0;
}

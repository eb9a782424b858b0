// Any bytes as a profile file: never a crash; a profile that is accepted holds
// only values that can be written, and survives a save and a reload unchanged.
#include "settings/Profile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString error;
    const auto settings = Profile::fromJson(json, &error);
    if (!settings) {
        if (error.isEmpty())
            abort(); // a refusal always says why
        return 0;
    }
    for (int loc : SettingsTransferOrder) {
        const double v = settings->valueAt(loc);
        if (!(v > -0.5 && v < 255.5))
            abort();
    }
    QString again;
    const auto reloaded = Profile::fromJson(Profile::toJson(*settings), &again);
    if (!reloaded || !(*reloaded == *settings))
        abort();
    return 0;
}

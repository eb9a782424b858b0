#include "RecordingMessageBoxes.h"

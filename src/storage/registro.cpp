#include "storage/registro.h"

Q_LOGGING_CATEGORY(lcFile, "velmora.file", QtWarningMsg)

#pragma once

#include <QLoggingCategory>

// Where failures leave their detail (path, system reason) for a user's
// report: the windows show one fixed message, the log says what went wrong.
// Enable or silence with QT_LOGGING_RULES="velmora.file.warning=false".
Q_DECLARE_LOGGING_CATEGORY(lcFile)

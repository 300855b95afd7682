#include "boardtrace.h"

#include <unistd.h>

Q_LOGGING_CATEGORY(boardTrace, "boardpanel.trace")

namespace BoardTrace {

void showOnlyOnATerminal()
{
    if (::isatty(STDERR_FILENO) == 0)
        QLoggingCategory::setFilterRules(QStringLiteral("boardpanel.trace.debug=false"));
}

} // namespace BoardTrace

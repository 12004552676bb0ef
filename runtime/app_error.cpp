#include "runtime/app_error.h"

namespace errors {

AppError invalidInteger(const QString &text)
{
    return AppError(QStringLiteral("''") + text + QStringLiteral("'' is not a valid integer value"));
}

AppError invalidFloat(const QString &text)
{
    return AppError(QStringLiteral("'") + text + QStringLiteral("' is not a valid floating point value"));
}

AppError floatOverflow()
{
    return AppError(QStringLiteral("Floating point overflow"));
}

} // namespace errors

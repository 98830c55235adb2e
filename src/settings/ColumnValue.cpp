#include "settings/ColumnValue.h"

#include "platform/DebugLog.h"
#include "settings/NumericFieldRule.h"

namespace fv {

using Rule = SetupColumn::Rule;

void ColumnValue::read(std::optional<QString>& value, const SetupColumn::Element& e,
                       const QString& text) {
    // A stored password must never reach the log, from the moment it is read.
    if (e.rule == Rule::SecretText && !text.isEmpty())
        DebugLog::addSecret(text.toStdString());
    value = text;
}

void ColumnValue::read(std::optional<bool>& value, const SetupColumn::Element& e,
                       const QString& text) {
    const bool zero = text == QLatin1String("0");
    const bool one = text == QLatin1String("1");
    switch (e.rule) {
        case Rule::CheckZeroClears:
            value = !zero;
            break;
        case Rule::CheckStrict:
        case Rule::RemoteMode:
            if (zero || one)
                value = one;
            break;
        default:
            break;
    }
}

void ColumnValue::read(std::optional<int>& value, const SetupColumn::Element& e,
                       const QString& text) {
    if (e.rule == Rule::AuthMethod) {
        value = text == QLatin1String("1") ? 1 : 0;
        return;
    }
    const auto index = NumericFieldRule::parse(text);
    if (index && *index >= 0 && *index <= e.maxIndex)
        value = static_cast<int>(*index);
}

QString ColumnValue::text(const std::optional<QString>& value) {
    return value.value_or(QString());
}

QString ColumnValue::text(const std::optional<bool>& value) {
    return value.value_or(false) ? QStringLiteral("1") : QStringLiteral("0");
}

QString ColumnValue::text(const std::optional<int>& value) {
    return QString::number(value.value_or(0));
}

}  // namespace fv

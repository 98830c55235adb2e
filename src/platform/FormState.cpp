#include "platform/FormState.h"

namespace fv {

const ControlState& FormState::control(const QString& name) const {
    static const ControlState kDefault;
    auto it = controls_.find(name);
    return it == controls_.end() ? kDefault : it->second;
}

QStringList FormState::names() const {
    QStringList out;
    for (const auto& [name, state] : controls_)
        out << name;
    return out;
}

ControlState& FormState::mutableControl(const QString& name) {
    return controls_[name];
}

void FormState::fire(const std::map<QString, std::vector<Handler>>& table, const QString& name) {
    auto it = table.find(name);
    if (it == table.end())
        return;
    // Copy: a handler may register further handlers.
    const std::vector<Handler> handlers = it->second;
    for (const Handler& h : handlers)
        h(name);
}

void FormState::changed(const QString& name, bool fireChangeHandlers) {
    emit controlChanged(name);
    if (fireChangeHandlers)
        fire(changeHandlers_, name);
}

void FormState::setText(const QString& name, const QString& value) {
    ControlState& c = mutableControl(name);
    if (c.text == value)
        return;
    c.text = value;
    changed(name, true);
}

void FormState::setChecked(const QString& name, bool value) {
    ControlState& c = mutableControl(name);
    if (c.checked == value)
        return;
    c.checked = value;
    changed(name, true);
}

void FormState::setEnabled(const QString& name, bool value) {
    ControlState& c = mutableControl(name);
    if (c.enabled == value)
        return;
    c.enabled = value;
    changed(name, false);
}

void FormState::setVisible(const QString& name, bool value) {
    ControlState& c = mutableControl(name);
    if (c.visible == value)
        return;
    c.visible = value;
    changed(name, false);
}

void FormState::setItemIndex(const QString& name, int index) {
    ControlState& c = mutableControl(name);
    const QString text = (index >= 0 && index < c.items.size()) ? c.items.at(index) : QString();
    if (c.itemIndex == index && c.text == text)
        return;
    c.itemIndex = index;
    c.text = text;
    changed(name, true);
}

void FormState::setItems(const QString& name, const QStringList& items) {
    ControlState& c = mutableControl(name);
    if (c.items == items)
        return;
    c.items = items;
    if (c.itemIndex >= items.size())
        c.itemIndex = -1;
    changed(name, false);
}

void FormState::exit(const QString& name) {
    fire(exitHandlers_, name);
}

void FormState::click(const QString& name) {
    fire(clickHandlers_, name);
}

void FormState::onChange(const QString& name, Handler handler) {
    changeHandlers_[name].push_back(std::move(handler));
}

void FormState::onExit(const QString& name, Handler handler) {
    exitHandlers_[name].push_back(std::move(handler));
}

void FormState::onClick(const QString& name, Handler handler) {
    clickHandlers_[name].push_back(std::move(handler));
}

}  // namespace fv

#include "settings/SetupFormBinding.h"

#include "platform/DebugLog.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/BitTorrentSettings.h"
#include "settings/ConnectionSettings.h"
#include "settings/NzbSettings.h"

namespace fv {

namespace {

using Rule = SetupColumn::Rule;
using Element = SetupColumn::Element;

// What showing or reading needs besides the field: the form kind, and the connection
// record the WebDAV ports come from or go to.
struct Context {
    SetupFormKind kind;
    SettingsRecords* records = nullptr;
    const ConnectionProfile* connection = nullptr;
};

QString controlOf(const Element& e) {
    return QString::fromLatin1(e.control);
}

QString localAddressControl(const Element& e, SetupFormKind kind) {
    // The stand-alone window has a plain edit where the pages have the list.
    return kind == SetupFormKind::StandAlone ? QStringLiteral("EditLocalIP_Setup") : controlOf(e);
}

void showValue(const std::optional<QString>& value, const Element& e, FormState& form,
               const Context& ctx) {
    if (!value)
        return;
    switch (e.rule) {
        case Rule::SecretText:
            if (!value->isEmpty())
                DebugLog::addSecret(value->toStdString());
            form.setText(controlOf(e), *value);
            break;
        case Rule::LocalAddress:
            if (ctx.kind == SetupFormKind::StandAlone) {
                form.setText(localAddressControl(e, ctx.kind), *value);
            } else {
                form.setItems(controlOf(e), {*value});
                form.setItemIndex(controlOf(e), 0);
            }
            break;
        case Rule::WebDavHttpPort:
        case Rule::WebDavHttpsPort:
            if (ctx.records) {
                const bool https = e.rule == Rule::WebDavHttpsPort;
                ctx.records->editConnection([&](ConnectionProfile& c) {
                    (https ? c.WebDavHttpsPort : c.WebDavHttpPort) = *value;
                });
            }
            break;
        default:
            form.setText(controlOf(e), *value);
            break;
    }
}

void showValue(const std::optional<bool>& value, const Element& e, FormState& form,
               const Context&) {
    if (!value)
        return;
    if (e.rule == Rule::RemoteMode)
        form.setChecked(*value ? "RadioBtnRemote_Setup" : "RadioBtnLocal_Setup", true);
    else
        form.setChecked(controlOf(e), *value);
}

void showValue(const std::optional<int>& value, const Element& e, FormState& form, const Context&) {
    if (value)
        form.setItemIndex(controlOf(e), *value);
}

void readValue(std::optional<QString>& value, const Element& e, const FormState& form,
               const Context& ctx) {
    switch (e.rule) {
        case Rule::LocalAddress:
            value = form.text(localAddressControl(e, ctx.kind));
            break;
        case Rule::WebDavHttpPort:
            value = ctx.connection->WebDavHttpPort;
            break;
        case Rule::WebDavHttpsPort:
            value = ctx.connection->WebDavHttpsPort;
            break;
        default:
            value = form.text(controlOf(e));
            break;
    }
}

void readValue(std::optional<bool>& value, const Element& e, const FormState& form,
               const Context&) {
    value = form.checked(e.rule == Rule::RemoteMode ? QStringLiteral("RadioBtnRemote_Setup")
                                                    : controlOf(e));
}

void readValue(std::optional<int>& value, const Element& e, const FormState& form, const Context&) {
    value = form.itemIndex(controlOf(e));
}

bool hasElement(const Element& e, SetupFormKind kind) {
    return kind == SetupFormKind::SetupPages || e.standAlone;
}

template <class Record>
void showRecord(const Record& record, FormState& form, const Context& ctx) {
    QStringList typed;
    for (const Element& e : SetupColumn::elements(Record::kKind)) {
        const ColumnField<Record>* f = columnFieldOf<Record>(e.element);
        if (!f || !hasElement(e, ctx.kind))
            continue;
        std::visit(
            [&](auto member) {
                showValue(record.*member, e, form, ctx);
                if (e.rule == Rule::Text && (record.*member).has_value())
                    typed << controlOf(e);
            },
            f->member);
    }
    // A stored value that the numeric rule emptied (or an empty one) would leave a port or
    // the refresh period empty with no focus ever leaving it; give those fields what leaving
    // them gives, their default.
    for (const QString& control : typed) {
        if (form.text(control).isEmpty())
            form.exit(control);
    }
}

template <class Record>
Record readRecord(const FormState& form, const Context& ctx) {
    Record record;
    for (const Element& e : SetupColumn::elements(Record::kKind)) {
        const ColumnField<Record>* f = columnFieldOf<Record>(e.element);
        if (!f || !hasElement(e, ctx.kind))
            continue;
        std::visit([&](auto member) { readValue(record.*member, e, form, ctx); }, f->member);
    }
    return record;
}

}  // namespace

void SetupFormBinding::show(const ConnectionSettings& values, FormState& form, SetupFormKind kind,
                            SettingsRecords* records) {
    showRecord(values, form, Context{kind, records});
}

void SetupFormBinding::show(const BitTorrentSettings& values, FormState& form, SetupFormKind kind) {
    showRecord(values, form, Context{kind});
}

void SetupFormBinding::show(const NzbSettings& values, FormState& form, SetupFormKind kind) {
    showRecord(values, form, Context{kind});
}

ConnectionSettings SetupFormBinding::connection(const FormState& form, SetupFormKind kind,
                                                const ConnectionProfile& connection) {
    return readRecord<ConnectionSettings>(form, Context{kind, nullptr, &connection});
}

BitTorrentSettings SetupFormBinding::bitTorrent(const FormState& form, SetupFormKind kind) {
    return readRecord<BitTorrentSettings>(form, Context{kind});
}

NzbSettings SetupFormBinding::nzb(const FormState& form, SetupFormKind kind) {
    return readRecord<NzbSettings>(form, Context{kind});
}

}  // namespace fv

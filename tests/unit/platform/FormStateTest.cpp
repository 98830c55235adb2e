#include "platform/FormState.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

TEST(FormState, ChangeHandlersFireOnlyOnRealChange) {
    FormState form;
    int changes = 0;
    form.onChange("EditFVPort_Setup", [&](const QString&) { ++changes; });
    form.setText("EditFVPort_Setup", "8081");
    form.setText("EditFVPort_Setup", "8081");
    form.setEnabled("EditFVPort_Setup", false);  // not a value change
    EXPECT_EQ(changes, 1);
}

TEST(FormState, MirrorRulesSettle) {
    FormState form;
    form.onChange("A", [&](const QString&) { form.setText("B", form.text("A")); });
    form.onChange("B", [&](const QString&) { form.setText("A", form.text("B")); });
    form.setText("A", "80");
    EXPECT_EQ(form.text("B"), "80");
    form.setText("B", "81");
    EXPECT_EQ(form.text("A"), "81");
}

TEST(FormState, ListSelectionCarriesEntryText) {
    FormState form;
    form.setItems("ComboBox_AuthMethod_Setup", {"http", "https"});
    form.setItemIndex("ComboBox_AuthMethod_Setup", 1);
    EXPECT_EQ(form.text("ComboBox_AuthMethod_Setup"), "https");
    form.setItemIndex("ComboBox_AuthMethod_Setup", 5);
    EXPECT_EQ(form.text("ComboBox_AuthMethod_Setup"), "");
}

TEST(FormState, UnknownControlReadsDefaults) {
    FormState form;
    EXPECT_TRUE(form.text("Nope").isEmpty());
    EXPECT_TRUE(form.enabled("Nope"));
    EXPECT_FALSE(form.has("Nope"));
}

}  // namespace
}  // namespace fv

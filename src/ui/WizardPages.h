// The wizard's four pages in the setup area's page control (`tabSheetSetupWizard0` to
// `tabSheetSetupWizard3`): welcome and agreement, address, account, completion. Their fields
// carry the product's names and are bound to the setup form like the other pages'.
#pragma once

class QStackedWidget;
class QWidget;

namespace fv::ui {

class WizardPages {
  public:
    // Appends the four pages; width is the page control's.
    static void build(QStackedWidget* pages, int width);

  private:
    static void buildWelcome(QWidget* page, int width);
    static void buildAddress(QWidget* page, int width);
    static void buildAccount(QWidget* page, int width);
    static void buildCompletion(QWidget* page, int width);
};

}  // namespace fv::ui

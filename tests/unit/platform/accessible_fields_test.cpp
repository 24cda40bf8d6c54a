// Fields that only show the program's state reach a screen reader with their
// caption as name and what they show as description, in the real panels.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>

#include "platform/ui/ui.h"
#include "shell/panels.h"
#include "support/app_fixture.h"

namespace {

using AccessibleFields = AppFixture;

TEST_F(AccessibleFields, DisplayFieldsKeepTheirCaptionAndReadOutTheirValue) {
    const int panel = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    ASSERT_GT(panel, 0);
    auto* message = PanelWidgetForTesting(panel)->findChild<QLabel*>("exportMessage");
    ASSERT_NE(message, nullptr);
    ASSERT_EQ(SetCtrlVal(panel, EXPORT_MESSAGE, std::string("EXCEL Ready !\n")), 0);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(message);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->text(QAccessible::Name), "Message");
    EXPECT_EQ(reader->text(QAccessible::Description), "EXCEL Ready !\n");
    SetCtrlVal(panel, EXPORT_MESSAGE, std::string("Sheet ready.\n"));
    EXPECT_EQ(reader->text(QAccessible::Description), "Sheet ready.\n");

    // Every captioned display field of every panel reads out what it shows.
    for (int number : {PANEL_IMPORT, PANEL_SCAN, PANEL_MAIN, PANEL_EXPORT}) {
        const int loaded = LoadPanel(0, UIR_FILE, number);
        for (QLabel* caption : PanelWidgetForTesting(loaded)->findChildren<QLabel*>()) {
            auto* field = qobject_cast<QLabel*>(caption->buddy());
            if (field == nullptr) continue;
            EXPECT_EQ(field->accessibleName(), caption->text().remove('&')) << number;
            EXPECT_EQ(field->accessibleDescription(), field->text()) << number;
        }
    }
}

}  // namespace

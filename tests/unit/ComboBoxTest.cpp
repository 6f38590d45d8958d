// The drop-down list control on its own: selection bounds, the user's pick
// and refilling.
#include <gtest/gtest.h>

#include "ui/ComboBox.h"
#include "ui/Panel.h"

namespace torvane {
namespace {

TEST(ComboBox, SelectsOnlyExistingItemsAndReportsOnlyTheUsersPicks) {
    ui::Panel parent(nullptr, "Parent");
    ui::ComboBox combo(&parent, "Combo");
    int changes = 0;
    combo.OnChange = [&] { ++changes; };

    combo.SetItemIndex(0);
    EXPECT_EQ(combo.ItemIndex(), -1) << "no items: nothing to select";
    EXPECT_EQ(combo.Text(), "");

    combo.AddItem("C:\\a\\");
    combo.AddItem("D:\\b\\");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), "D:\\b\\");
    EXPECT_EQ(changes, 0) << "a selection from code is not a pick";
    combo.SetItemIndex(2);
    EXPECT_EQ(combo.ItemIndex(), -1);

    combo.UserSelected(0);
    EXPECT_EQ(combo.Text(), "C:\\a\\");
    combo.UserSelected(0);  // the same item again
    combo.UserSelected(5);  // none such
    combo.UserSelected(-1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.ItemIndex(), 0);

    combo.Clear();
    EXPECT_TRUE(combo.Items().empty());
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
}

}  // namespace
}  // namespace torvane

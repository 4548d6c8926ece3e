#include "ui/options/display_list_editor.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "fakes/fake_running_program.h"
#include "ui/popup_menu_model.h"

using namespace ui;
using namespace ui::options;
using settings::Item;

namespace {

constexpr render::Colour kButtonFace = render::rgb(212, 208, 200);

class DisplayEditor : public ::testing::Test {
protected:
    DisplayEditor() {
        const settings::Settings& s = live.settings;
        live.displayRows = settings::buildDisplayRows(s.displayOrder, s.displayMarks,
                                                      s.displayColours1, s.displayColours2);
    }
    size_t rowOf(Item id) const {
        for (size_t i = 0; i < live.displayRows.size(); ++i)
            if (live.displayRows[i].id == id) return i;
        return live.displayRows.size();
    }
    ColourPicker picker(std::optional<std::int32_t> answer) {
        return [this, answer] {
            ++dialogs;
            return answer;
        };
    }

    settings::LiveSettings live;
    fakes::FakeRunningProgram program;
    render::BarStrips& strips = program.strips;
    DisplayListEditor editor{{live, program, [](int) { return kButtonFace; }}};
    int dialogs = 0;
};

}  // namespace

TEST_F(DisplayEditor, TheLastShownItemCannotBeHidden) {
    auto& rows = live.displayRows;
    for (size_t i = 1; i < rows.size(); ++i) EXPECT_FALSE(editor.setShown(i, false));
    program.resizeRequests = 0;
    EXPECT_TRUE(editor.setShown(0, false));
    EXPECT_TRUE(rows[0].shown);
    EXPECT_EQ(program.resizeRequests, 1);  // the window fits the list at the next tick

    EXPECT_TRUE(editor.setShown(5, true));
    EXPECT_FALSE(editor.setShown(0, false));
    EXPECT_EQ(settings::shownItems(rows).isShown(rows[5].id), true);
}

TEST_F(DisplayEditor, TheIpCopyEntryFollowsTheAddressItemAndItsChoice) {
    MenuVisibility menus;
    live.notices.subscribe([&](const settings::Change& c) { followChange(menus, c, live); });
    const size_t ip = rowOf(Item::PublicAddress);
    live.settings.showIpCopyEntry = 0;
    editor.setShown(ip, true);
    EXPECT_FALSE(menus.copyIpAddress);

    live.settings.showIpCopyEntry = 1;
    editor.setShown(ip, true);
    EXPECT_TRUE(menus.copyIpAddress);
    editor.setShown(ip, false);
    EXPECT_FALSE(menus.copyIpAddress);
    EXPECT_FALSE(menuVisibilityFor(live).copyIpAddress);
}

TEST_F(DisplayEditor, MovesCarryTheWholeRowAndStopAtTheEnds) {
    auto& rows = live.displayRows;
    const auto before = rows;
    EXPECT_FALSE(editor.moveUp());  // nothing selected

    editor.select(0);
    EXPECT_FALSE(editor.moveUp());
    EXPECT_EQ(editor.selected(), 0u);

    // The graph row (shown) goes down past the processor row; then down once more.
    ASSERT_TRUE(editor.moveDown());
    ASSERT_TRUE(editor.moveDown());
    EXPECT_EQ(editor.selected(), 2u);
    EXPECT_EQ(rows[2].id, before[0].id);
    EXPECT_EQ(rows[2].shown, before[0].shown);
    EXPECT_EQ(rows[2].colour1, before[0].colour1);
    EXPECT_EQ(rows[2].colour2, before[0].colour2);
    EXPECT_EQ(rows[0].id, before[1].id);
    EXPECT_EQ(rows[1].id, before[2].id);

    // A hidden row keeps its mark as it moves up.
    const size_t hidden = rowOf(Item::ProxyServer);
    ASSERT_FALSE(rows[hidden].shown);
    editor.select(hidden);
    ASSERT_TRUE(editor.moveUp());
    EXPECT_EQ(rows[hidden - 1].id, Item::ProxyServer);
    EXPECT_FALSE(rows[hidden - 1].shown);

    editor.select(rows.size() - 1);
    EXPECT_FALSE(editor.moveDown());
    EXPECT_EQ(editor.selected(), rows.size() - 1);
}

TEST_F(DisplayEditor, MeterItemsTakeChosenColoursIntoRowPreviewAndStrip) {
    const size_t cpu1 = rowOf(Item::Cpu1);
    editor.select(cpu1);
    EXPECT_EQ(std::wstring(base::text(editor.captions().start)), L"開始色");
    EXPECT_EQ(std::wstring(base::text(editor.captions().end)), L"終点色");

    const std::int32_t blue = 0xFF0000;
    EXPECT_TRUE(editor.pickColour(ColourTarget::Both, picker(blue)));
    EXPECT_EQ(live.displayRows[cpu1].colour1, blue);
    EXPECT_EQ(live.displayRows[cpu1].colour2, blue);
    const render::Image& strip = strips.items[settings::slotOf(Item::Cpu1)];
    EXPECT_EQ(strip.pixel(0, 0), render::rgb(0, 0, 255));
    EXPECT_EQ(strip.pixel(156, 12), render::rgb(0, 0, 255));
    EXPECT_EQ(editor.preview().pixel(100, 5), render::rgb(0, 0, 255));

    const std::int32_t red = 0x0000FF;
    editor.pickColour(ColourTarget::End, picker(red));
    EXPECT_EQ(live.displayRows[cpu1].colour1, blue);
    EXPECT_EQ(live.displayRows[cpu1].colour2, red);
    editor.pickColour(ColourTarget::Start, picker(red));
    EXPECT_EQ(live.displayRows[cpu1].colour1, red);

    // A cancel leaves the row as it was.
    EXPECT_FALSE(editor.pickColour(ColourTarget::Both, picker(std::nullopt)));
    EXPECT_EQ(live.displayRows[cpu1].colour1, red);
    EXPECT_EQ(live.displayRows[cpu1].colour2, red);
    EXPECT_EQ(dialogs, 4);
}

TEST_F(DisplayEditor, OtherItemsOpenNoDialogAndBlankThePreview) {
    editor.select(rowOf(Item::CpuTotal));
    const render::Image strip = strips.items[settings::slotOf(Item::CpuTotal)];
    editor.select(rowOf(Item::PublicAddress));
    EXPECT_EQ(std::wstring(base::text(editor.captions().start)), L"色変更不可");
    EXPECT_EQ(std::wstring(base::text(editor.captions().end)), L"色変更不可");
    EXPECT_EQ(editor.preview().pixel(0, 0), editor.preview().background());

    const auto row = live.displayRows[rowOf(Item::PublicAddress)];
    EXPECT_FALSE(editor.pickColour(ColourTarget::Both, picker(0x123456)));
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(live.displayRows[rowOf(Item::PublicAddress)].colour1, row.colour1);
    // The strips keep their bars.
    EXPECT_EQ(strips.items[settings::slotOf(Item::CpuTotal)].pixel(100, 3), strip.pixel(100, 3));
}

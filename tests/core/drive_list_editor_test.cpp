#include "ui/options/drive_list_editor.h"

#include <gtest/gtest.h>

#include "fakes/fake_drives.h"
#include "fakes/fake_running_program.h"
#include "monitor/drive_items.h"

using namespace ui;
using namespace ui::options;

namespace {

class DriveEditor : public ::testing::Test {
protected:
    DriveEditor() {
        for (const wchar_t* letter : {L"C", L"D", L"E"})
            drives.add(letter, platform::kDriveFixed, 1000, 500);
        live.settings.tickAllDrives = 0;
        live.settings.driveMarks = L"CE";
        rebuild();
    }
    void rebuild() {
        live.drives = monitor::buildDriveRows(drives, live.settings.driveMarks,
                                              live.settings.tickAllDrives == 1);
        editor.rebuilt();
    }
    std::vector<bool> ticks() const {
        std::vector<bool> t;
        for (const auto& d : live.drives) t.push_back(d.checked);
        return t;
    }

    fakes::FakeDrives drives;
    settings::LiveSettings live;
    fakes::FakeRunningProgram program;
    render::BarStrips& strips = program.strips;
    DriveListEditor editor{{live, program, {}}};
};

}  // namespace

TEST_F(DriveEditor, TicksBecomeTheCheckStringAndSurviveARebuild) {
    ASSERT_EQ(ticks(), (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(editor.setTicked(1, false));
    EXPECT_EQ(live.settings.driveMarks, L"C0E");
    EXPECT_EQ(program.resizeRequests, 1);
    rebuild();
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, true}));

    // The last ticked drive stays ticked.
    editor.setTicked(0, false);
    EXPECT_EQ(live.settings.driveMarks, L"00E");
    EXPECT_TRUE(editor.setTicked(2, false));
    EXPECT_EQ(live.settings.driveMarks, L"00E");
    EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
}

TEST_F(DriveEditor, TickAllTicksEveryDriveAndLaterOnes) {
    editor.setTickAll(true);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(live.settings.driveMarks, L"CDE");

    // A drive that appears later is ticked at the next rebuild.
    drives.add(L"G", platform::kDriveRemovable, 100, 50);
    rebuild();
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true, true}));

    // Unchecking leaves the ticks as they are, also after a rebuild.
    editor.setTickAll(false);
    editor.setTicked(0, false);
    rebuild();
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, true, true}));
}

TEST_F(DriveEditor, ColoursBelongToTheSelectedRowPosition) {
    EXPECT_FALSE(editor.pickColour(ColourTarget::Both, [] { return 0x00FF00; }));

    editor.select(1);
    EXPECT_EQ(live.lastSelectedDriveRow, 2);
    EXPECT_TRUE(editor.pickColour(ColourTarget::Both, [] { return 0x00FF00; }));
    EXPECT_EQ(live.driveColours.start[1], 0x00FF00);
    EXPECT_EQ(live.driveColours.end[1], 0x00FF00);
    EXPECT_EQ(strips.drives[1].pixel(0, 0), render::rgb(0, 255, 0));
    EXPECT_EQ(strips.drives[1].pixel(156, 12), render::rgb(0, 255, 0));
    EXPECT_EQ(editor.preview().pixel(50, 6), render::rgb(0, 255, 0));

    editor.pickColour(ColourTarget::Start, [] { return 0x0000FF; });
    EXPECT_EQ(live.driveColours.start[1], 0x0000FF);
    EXPECT_EQ(live.driveColours.end[1], 0x00FF00);
    EXPECT_FALSE(editor.pickColour(ColourTarget::End, [] { return std::nullopt; }));
    EXPECT_EQ(live.driveColours.end[1], 0x00FF00);

    // The same drives again keep the selected row; a rebuild without that row drops it, and
    // the swatch still knows the row last selected.
    rebuild();
    EXPECT_EQ(editor.selected(), 1u);
    drives = fakes::FakeDrives{};
    drives.add(L"C", platform::kDriveFixed, 1000, 500);
    rebuild();
    int opened = 0;
    EXPECT_FALSE(editor.pickColour(ColourTarget::End, [&] {
        ++opened;
        return 1;
    }));
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(live.lastSelectedDriveRow, 2);
}

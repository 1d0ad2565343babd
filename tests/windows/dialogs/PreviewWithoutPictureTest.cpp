// A program without bitmap 145: the preview's creation fails with the loader's
// message, and the object is left to its creator to delete, exactly once.
#include <windows.h>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "render/PreviewWindow.h"

namespace {
int destructions = 0;

class CountedPreview : public PreviewWindow {
public:
    ~CountedPreview() override { ++destructions; }
};
}

TEST(PreviewWithoutPicture, CreationFailsWithTheMessageAndTheObjectStaysForItsCreator)
{
    dialog_test::HostWindow area(192, 144);
    dialog_test::MessageBoxWatcher boxes;
    auto* preview = new CountedPreview;
    EXPECT_FALSE(preview->create(area.hwnd));
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts()[0], "can't load image from file");
    EXPECT_EQ(GetWindow(area.hwnd, GW_CHILD), nullptr);
    EXPECT_EQ(destructions, 0);
    delete preview;
    EXPECT_EQ(destructions, 1);
}

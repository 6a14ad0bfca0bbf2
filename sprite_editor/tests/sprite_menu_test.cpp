// The Sprite menu by its keys on the shown window: transforms, the library,
// the system clipboard both ways, the 8 x 8 guides, and the animation
// preview's frames read back from its surface.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "animation_preview.h"
#include "sprite_editing.h"
#include "views.h"
#include "window_test_support.h"

namespace {

// Every pixel a code of its own column: 0, 1, 2, 3 and on.
Sprite Columns() {
    Sprite s;
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) s.Pixels(x, y) = uint8_t(x % 4);
    }
    return s;
}

Sprite Filled(uint8_t code) {
    Sprite s;
    s.bytes.fill(code);
    return s;
}

using SpriteMenu = ShownWindow;

TEST_F(SpriteMenu, KeysTransformTheSpriteAndOrderTheLibrary) {
    LoadLibrary(*w.form, {Columns(), Filled(CodeDark)});
    Key(Qt::Key_H);
    EXPECT_EQ(w->Sprites[0].Pixels(0, 5), 15 % 4);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->Sprites[0], Columns());
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(w->Sprites.All(), (std::vector<Sprite>{Columns(), Columns(), Filled(CodeDark)}));
    EXPECT_EQ(w->CurSprite, 1);
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(w->Sprites.All(), (std::vector<Sprite>{Columns(), Filled(CodeDark), Columns()}));
    EXPECT_EQ(w->CurSprite, 2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(w->Sprites[2], Sprite{});
}

// Copied, the sprite is a 16 x 16 picture in the sheet's colours, the mask
// transparent; another window reads it back. A picture from another program
// gives its top-left sprite; text is refused.
TEST_F(SpriteMenu, TheSystemClipboardCarriesSpritesAsPictures) {
    LoadLibrary(*w.form, {Columns()});
    Key(Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(16, 16));
    EXPECT_EQ(copied.pixelColor(2, 7), QColor(55, 64, 47));
    EXPECT_EQ(copied.pixelColor(3, 7).alpha(), 0);

    QImage drawn(20, 18, QImage::Format_RGB32);
    drawn.fill(QColor(255, 255, 255));
    drawn.setPixelColor(15, 15, QColor(0, 0, 0));
    drawn.setPixelColor(16, 0, QColor(0, 0, 0));  // outside the top-left sprite
    QApplication::clipboard()->setImage(drawn);
    Key(Qt::Key_V, Qt::ShiftModifier | Qt::ControlModifier);
    Sprite expected;
    expected.Pixels(15, 15) = CodeDark;
    EXPECT_EQ(w->Sprites.All(), (std::vector<Sprite>{Columns(), expected}));
    EXPECT_EQ(w->CurSprite, 1);

    QApplication::clipboard()->setText("not a sprite");
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w.messages->shown.size(), 1u);
    EXPECT_TRUE(w.messages->shown[0].text.startsWith("The clipboard holds no sprite."));
    EXPECT_EQ(w->Sprites[1], expected);
}

TEST_F(SpriteMenu, GuidesShowWhereTheHardwareTilesMeet) {
    const auto canvas = [&](int x, int y) {
        w->Form1_Timer1_Timer();
        return w->Picture1->Picture().Pixel(x, y);
    };
    EXPECT_EQ(canvas(128, 40), kGridColor);
    Item("guides")->trigger();
    EXPECT_EQ(canvas(128, 40), kGuideColor);
    EXPECT_EQ(canvas(40, 128), kGuideColor);
    EXPECT_EQ(canvas(112, 40), kGridColor);
}

// P opens the preview on the current sprite and the three after it; each tick
// draws the next frame from the library as it is then.
TEST_F(SpriteMenu, AnimationPreviewPlaysTheSpritesAndFollowsEdits) {
    LoadLibrary(*w.form, {Filled(CodeLight), Filled(CodeDark), Filled(CodeMask), Filled(CodeMid), Filled(CodeMid)});
    w->Sprites.SetDeleted(1, true);
    w->CurSprite = 1;
    Key(Qt::Key_P);
    AnimationPreview* preview = w->preview;
    ASSERT_TRUE(preview->isVisible());
    EXPECT_EQ(std::tuple(preview->First->value(), preview->Last->value(), preview->Speed->value()), std::tuple(1, 4, 8));
    EXPECT_TRUE(preview->Timer->isActive());
    const auto shown = [&] { return preview->Frame->Picture().Pixel(30, 30); };
    EXPECT_EQ(shown(), kDimColors[CodeDark]);
    preview->AnimationPreview_Timer_Timer();
    EXPECT_EQ(shown(), kPreviewBackground);  // every pixel transparent
    w->Sprites[3] = Filled(CodeLight);  // an edit shows in the next frame
    preview->AnimationPreview_Timer_Timer();
    EXPECT_EQ(shown(), kPixelColors[CodeLight]);
    preview->AnimationPreview_Timer_Timer();
    preview->AnimationPreview_Timer_Timer();
    EXPECT_EQ(shown(), kDimColors[CodeDark]);  // round again from the first
    preview->Play->click();
    EXPECT_FALSE(preview->Timer->isActive());
    w.messages->choices = {MessageBox::Choice::Discard};
    w->close();
    EXPECT_FALSE(preview->isVisible());
}

}  // namespace

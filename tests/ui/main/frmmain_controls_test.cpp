#include <QCheckBox>
#include <QFrame>

#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

using FrmMainControlsTest = MainWindowTest;

// What a control shows: its text or selected entry, or for a plane whether
// it is all black.
QString Caption(const QWidget& control)
{
    if (const auto* plane = qobject_cast<const PlotPlane*>(&control)) {
        QImage black(plane->size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        return plane->Image() == black ? QStringLiteral("black") : QStringLiteral("drawn");
    }
    for (const char* shown : {"text", "currentText", "plainText"}) {
        if (control.property(shown).isValid())
            return control.property(shown).toString();
    }
    return {};
}

TEST_F(FrmMainControlsTest, EveryControlHasItsKindCaptionPlaceAndStateAtTheDesignSize)
{
    const QMetaObject* Plane = &PlotPlane::staticMetaObject;
    const QMetaObject* Text = &QPlainTextEdit::staticMetaObject;
    const QMetaObject* Label = &QLabel::staticMetaObject;
    const QMetaObject* Button = &QPushButton::staticMetaObject;
    const QMetaObject* Check = &QCheckBox::staticMetaObject;
    const QMetaObject* List = &QComboBox::staticMetaObject;
    // Captions as start-up leaves them: it writes the summary, the scale, the
    // speed labels and the centre list over their design texts. A null
    // rectangle: the place is not fixed.
    const struct {
        const char* name;
        const QMetaObject* kind;
        const char* caption;
        QRect place;
        const char* state;
    } controls[] = {
        {"XYPlane", Plane, "black", {0, 0, 256, 256}, ""},
        {"ZYPlane", Plane, "black", {256, 0, 256, 256}, ""},
        {"XZPlane", Plane, "black", {0, 256, 256, 256}, ""},
        {"Backup0", Plane, "black", {}, "hidden"},
        {"Backup1", Plane, "black", {}, "hidden"},
        {"Backup2", Plane, "black", {}, "hidden"},
        {"txtInfo", Text, "No system loaded", {260, 260, 253, 249}, ""},
        {"labScale", Label, "View width = 1,000 million km", {0, 512, 265, 17}, ""},
        {"butSimulate", Button, "Start", {528, 4, 77, 17}, ""},
        {"butPause", Button, "Pause", {528, 28, 77, 17}, "disabled"},
        {"butStop", Button, "Stop", {528, 52, 77, 17}, "disabled"},
        {"labDays", Label, "Day: 0", {532, 76, 69, 17}, ""},
        {"labDate", Label, "", {532, 96, 69, 17}, ""},
        {"Label1_0", Label, "View Width", {532, 116, 65, 17}, ""},
        {"butZoomPlus", Button, "+", {532, 136, 29, 16}, ""},
        {"butZoomMinus", Button, "-", {564, 136, 29, 16}, ""},
        {"butAll", Button, "All", {532, 164, 61, 16}, ""},
        {"butXY", Button, "X-Y Plane", {532, 184, 61, 16}, ""},
        {"butXZ", Button, "X-Z Plane", {532, 204, 61, 16}, ""},
        {"butZY", Button, "Z-Y Plane", {532, 224, 61, 16}, ""},
        {"butLabel", Button, "Label", {532, 248, 61, 16}, ""},
        {"butClear", Button, "Clear", {532, 268, 61, 16}, ""},
        {"butRedraw", Button, "Redraw", {532, 288, 61, 16}, ""},
        {"chkTrails", Check, "Show Trails", {524, 308, 85, 21}, "ticked"},
        {"Label1_2", Label, "Centre on:", {528, 336, 65, 17}, ""},
        {"cboCentre", List, "Grid Origin", {528, 352, 81, 22}, ""},
        {"Label1_3", Label, "Plot Freq:", {536, 384, 65, 17}, ""},
        {"butPlotPlus", Button, "+", {536, 404, 29, 16}, ""},
        {"butPlotMinus", Button, "-", {568, 404, 29, 16}, ""},
        {"labPlot", Label, "quarter day", {520, 420, 90, 17}, ""},
        {"Label1_1", Label, "Speed:", {536, 444, 65, 17}, ""},
        {"butSpeedPlus", Button, "+", {540, 464, 29, 16}, ""},
        {"butSpeedMinus", Button, "-", {572, 464, 29, 16}, ""},
        {"labInterval", Label, "Speed: 7", {524, 480, 90, 17}, ""},
        {"labAccuracy", Label, "Accuracy: 8", {524, 500, 90, 21}, ""},
    };
    frmMain& main = Open();
    main.show();
    const QWidget* client = main.centralWidget();
    ASSERT_EQ(client->size(), QSize(613, 533));
    for (const auto& row : controls) {
        SCOPED_TRACE(row.name);
        const QWidget* control = Child<QWidget>(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->metaObject()->inherits(row.kind)) << control->metaObject()->className();
        EXPECT_EQ(Caption(*control), row.caption);
        if (!row.place.isNull()) {
            EXPECT_EQ(QRect(control->mapTo(client, QPoint()), control->size()), row.place);
        }
        const QString state = QString::fromLatin1(row.state);
        EXPECT_EQ(control->isEnabled(), state != "disabled");
        EXPECT_EQ(control->isVisible(), state != "hidden");
        if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
            EXPECT_EQ(box->isChecked(), state == "ticked");
        }
    }
    EXPECT_NE(Child<QPlainTextEdit>("txtInfo")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(Child<QComboBox>("cboCentre")->isEditable());
    EXPECT_EQ(main.CommonDialog1().Filter, "Kosmolux Files|*.kmx|All Files|*.*");
    EXPECT_EQ(main.CommonDialog1().DefaultExt.toUpper(), "KMX");

    // Six separators in the right-hand column, clear of every control.
    for (int index = 1; index <= 6; ++index) {
        const auto* line = Child<QFrame>(qPrintable(QStringLiteral("Line%1").arg(index)));
        ASSERT_NE(line, nullptr);
        const QRect place(line->mapTo(client, QPoint()), line->size());
        EXPECT_TRUE(line->isVisible() && line->frameShape() == QFrame::HLine) << index;
        EXPECT_TRUE(QRect(513, 0, 100, 533).contains(place)) << index;
        for (const auto& row : controls)
            EXPECT_FALSE(place.intersects(row.place)) << index << " over " << row.name;
    }
}

}  // namespace
}  // namespace kosmolux::testing

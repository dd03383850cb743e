// The system file matches section names with their capitals folded, so two
// bodies whose names fold alike share one section and one of them loses its
// values on the next save and load. Some letters fold differently from how
// they lower: final sigma and sigma, long s and s, micro sign and mu. The
// generator and the editor must refuse such a name as a duplicate. Found by
// the monkey.
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "ui/dialogs/qstringprinter.h"
#include "ui/editor/renamecheck.h"
#include "ui/generator/frmnewbody.h"

namespace kosmolux {
namespace {

struct NamePair {
    const char16_t* present;
    const char16_t* newcomer;
};

const NamePair PairsThatFoldAlike[] = {
    {u"\u03C2", u"\u03C3"}, {u"\u017Fun", u"Sun"}, {u"\u00B5", u"\u03BC"}};

TEST(SectionNames, NamesThatFoldAlikeAreRefusedAsDuplicates)
{
    for (const NamePair& pair : PairsThatFoldAlike) {
        const QString present = QString::fromUtf16(pair.present);
        const QString newcomer = QString::fromUtf16(pair.newcomer);
        SCOPED_TRACE(newcomer.toStdString());
        Globals globals;
        Planets& system = globals.EnsureSystem();
        system.Add(present.toStdString(), 1, 1, 0, 0, 0, 0, 0, 0);
        const Planet& other = system.Add("Other", 1, 1, 0, 0, 0, 0, 0, 0);

        EXPECT_FALSE(RenameProblem(system, other.Id(), newcomer).isEmpty());

        ScriptedDialogService dialogs;
        frmNewBody generator(globals, dialogs);
        generator.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(newcomer);
        generator.findChild<QPushButton*>(QStringLiteral("butAccept"))->click();
        EXPECT_EQ(system.Count(), 2);
        EXPECT_EQ(dialogs.MessageTexts(),
                  QStringList{QStringLiteral("Body with this name already exists!")});
    }
}

}  // namespace
}  // namespace kosmolux

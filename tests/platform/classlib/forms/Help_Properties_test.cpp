#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class TForm_Help : public TForm {
public:
    explicit TForm_Help(TComponent* AOwner) : TForm(AOwner) {}
};

std::unique_ptr<TForm_Help> Read(const std::string& properties)
{
    auto form = std::make_unique<TForm_Help>(nullptr);
    ReadComponentText("object Form_Help: TForm_Help\n" + properties + "end\n", "TForm_Help", form.get(),
                      TForm_Table());
    return form;
}

} // namespace

TEST(Help_Properties, AFormTextStatesTheHelpTypeWhateverTheOrder)
{
    const auto keyword = Read("  HelpKeyword = 'MAIN_HD'\n  HelpType = htKeyword\n");
    EXPECT_EQ(keyword->HelpType(), htKeyword);
    EXPECT_EQ(keyword->HelpKeyword(), "MAIN_HD");
    EXPECT_TRUE(keyword->HasHelp());

    const auto both = Read("  HelpType = htKeyword\n  HelpKeyword = 'MAIN_HD'\n  HelpContext = 1000\n");
    EXPECT_EQ(both->HelpType(), htKeyword) << "reading keeps the stated type";

    const auto context = Read("  HelpContext = 1000\n");
    EXPECT_EQ(context->HelpType(), htContext);
    EXPECT_EQ(context->HelpContext(), 1000);
}

TEST(Help_Properties, SettingContextOrKeywordAtRunTimeSwitchesTheType)
{
    const auto form = Read("  HelpType = htKeyword\n  HelpKeyword = 'MAIN_HD'\n");
    form->SetHelpContext(1010);
    EXPECT_EQ(form->HelpType(), htContext);
    EXPECT_TRUE(form->HasHelp());
    form->SetHelpKeyword("OTHER");
    EXPECT_EQ(form->HelpType(), htKeyword);
    form->SetHelpKeyword("");
    EXPECT_FALSE(form->HasHelp());
}

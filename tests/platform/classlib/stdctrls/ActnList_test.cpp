#include "platform/classlib/ActnList.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A bare control whose click the tests can make.
class TProbe : public TControl {
public:
    using TControl::TControl;
    using TControl::Click;
};

struct Fixture {
    TComponent owner{nullptr};
    TActionList* list = new TActionList(&owner);
    TAction* action = new TAction(&owner);
    TProbe* first = new TProbe(&owner);
    TProbe* second = new TProbe(&owner);
    int executed = 0;

    Fixture()
    {
        action->SetActionList(list);
        action->SetCaption("Record");
        action->SetHint("Records the camera");
        action->OnExecute = [this](TObject*) { ++executed; };
    }
};

} // namespace

TEST(Actions, EveryChangeReachesEveryControlOfTheAction)
{
    Fixture fixture;
    fixture.first->SetAction(fixture.action);
    fixture.second->SetAction(fixture.action);
    EXPECT_EQ(fixture.first->Caption(), "Record") << "taken when the action is assigned";
    EXPECT_EQ(fixture.first->Hint(), "Records the camera");

    fixture.action->SetCaption("Stop");
    fixture.action->SetEnabled(false);
    fixture.action->SetHint("Stops");
    fixture.action->SetVisible(false);
    fixture.action->SetHelpContext(42);
    for (TProbe* control : {fixture.first, fixture.second}) {
        EXPECT_EQ(control->Caption(), "Stop");
        EXPECT_FALSE(control->Enabled());
        EXPECT_EQ(control->Hint(), "Stops");
        EXPECT_FALSE(control->Visible());
        EXPECT_EQ(control->HelpContext(), 42);
    }
}

TEST(Actions, ClientsAreToldOnlyOfRealChanges)
{
    Fixture fixture;
    TBasicActionLink link;
    int told = 0;
    link.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, fixture.action);
        ++told;
    };
    link.SetAction(fixture.action);
    fixture.action->SetCaption("Record");
    fixture.action->SetImageIndex(-1);
    fixture.action->SetChecked(false);
    EXPECT_EQ(told, 0);
    fixture.action->SetChecked(true);
    fixture.action->SetShortCut(scCtrl | 'R');
    fixture.action->SetImageIndex(2);
    fixture.action->SetCategory("Camera");
    EXPECT_EQ(told, 4);
}

TEST(Actions, WhileLoadingAControlKeepsWhatItSetItself)
{
    Fixture fixture;
    fixture.first->SetCaption("Mine");
    fixture.first->SetEnabled(false);
    fixture.first->SetHelpContext(7);
    int own_clicks = 0;
    fixture.first->OnClick = [&](TObject*) { ++own_clicks; };
    fixture.action->SetHelpContext(42);
    fixture.action->SetLoading(true);
    fixture.first->SetAction(fixture.action);
    EXPECT_EQ(fixture.first->Caption(), "Mine");
    EXPECT_FALSE(fixture.first->Enabled());
    EXPECT_EQ(fixture.first->HelpContext(), 7);
    EXPECT_EQ(fixture.first->Hint(), "Records the camera") << "a default hint is the action's";
    fixture.first->Click();
    EXPECT_EQ(own_clicks, 1);
    EXPECT_EQ(fixture.executed, 0);

    fixture.action->Loaded();
    fixture.action->SetCaption("Stop");
    EXPECT_EQ(fixture.first->Caption(), "Stop") << "a later change overrides";
    EXPECT_TRUE(fixture.first->Enabled());
    fixture.first->Click();
    EXPECT_EQ(fixture.executed, 1);
}

TEST(Actions, AClickRunsTheActionUnlessItIsDisabled)
{
    Fixture fixture;
    fixture.first->SetAction(fixture.action);
    fixture.first->Click();
    EXPECT_EQ(fixture.executed, 1);
    fixture.action->SetEnabled(false);
    fixture.first->Click();
    EXPECT_EQ(fixture.executed, 1);
    EXPECT_FALSE(fixture.action->Execute());
    fixture.action->SetEnabled(true);
    EXPECT_TRUE(fixture.action->Execute());
    EXPECT_EQ(fixture.executed, 2);
}

TEST(Actions, FreeingAnActionItsListOrAControlLeavesNoLink)
{
    Fixture fixture;
    fixture.first->SetAction(fixture.action);
    fixture.second->SetAction(fixture.action);
    EXPECT_EQ(fixture.action->ClientCount(), 2);
    delete fixture.second;
    EXPECT_EQ(fixture.action->ClientCount(), 1);

    TImageList* images = new TImageList(&fixture.owner);
    fixture.list->SetImages(images);
    delete images;
    EXPECT_EQ(fixture.list->Images(), nullptr);

    auto* other = new TAction(&fixture.owner);
    other->SetActionList(fixture.list);
    EXPECT_EQ(fixture.list->ActionCount(), 2);
    EXPECT_EQ(other->Index(), 1);
    delete other;
    EXPECT_EQ(fixture.list->ActionCount(), 1);
    delete fixture.list;
    EXPECT_EQ(fixture.action->ActionList(), nullptr);
    EXPECT_EQ(fixture.action->Index(), -1);

    delete fixture.action;
    EXPECT_EQ(fixture.first->Action(), nullptr);
    fixture.first->Click();
    EXPECT_EQ(fixture.executed, 1) << "the click keeps the action's handler";
    fixture.first->SetAction(nullptr);
}

TEST(Actions, AnotherActionTakesOverTheControl)
{
    Fixture fixture;
    TAction next(nullptr);
    next.SetCaption("Next");
    int next_runs = 0;
    next.OnExecute = [&](TObject*) { ++next_runs; };
    fixture.first->SetAction(fixture.action);
    fixture.first->SetAction(&next);
    EXPECT_EQ(fixture.action->ClientCount(), 0);
    EXPECT_EQ(fixture.first->Caption(), "Next");
    fixture.action->SetCaption("Ignored");
    EXPECT_EQ(fixture.first->Caption(), "Next");
    fixture.first->Click();
    EXPECT_EQ(next_runs, 1);
    EXPECT_EQ(fixture.executed, 0);
    fixture.first->SetAction(nullptr);
}

namespace {

class TForm_Actions : public TForm {
public:
    using TForm::TForm;

    static const TForm_Table& Table()
    {
        static const TForm_Table table =
            TForm_Table().Field("Action1", &TForm_Actions::Action1).Handler("Action1Execute", &TForm_Actions::Action1Execute);
        return table;
    }

    TAction* Action1 = nullptr;
    int Runs = 0;
    void Action1Execute(TObject*) { ++Runs; }
};

const char* const actions_text = R"(object Form_Actions: TForm_Actions
  Left = 0
  Top = 0
  Width = 200
  Height = 100
  object ButtonRecord: TButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Hint = 'Own hint'
    Action = Action1
    TabOrder = 0
  end
  object ImageList1: TImageList
    Width = 8
    Height = 8
  end
  object ActionList1: TActionList
    Images = ImageList1
    object Action1: TAction
      Category = 'Camera'
      Caption = 'Record'
      Hint = 'Records the camera'
      ImageIndex = 0
      ShortCut = 16466
      OnExecute = Action1Execute
    end
  end
end
)";

void Expect_Actions_Form(TForm_Actions& form)
{
    auto* list = dynamic_cast<TActionList*>(form.FindComponent("ActionList1"));
    auto* button = dynamic_cast<TButton*>(form.FindComponent("ButtonRecord"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(form.Action1, nullptr);
    EXPECT_EQ(list->Images(), form.FindComponent("ImageList1"));
    ASSERT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(list->Actions(0), form.Action1);
    EXPECT_EQ(form.Action1->ActionList(), list);
    EXPECT_EQ(form.Action1->Category(), "Camera");
    EXPECT_EQ(form.Action1->ImageIndex(), 0);
    EXPECT_EQ(form.Action1->ShortCut(), scCtrl | 'R');
    EXPECT_EQ(button->Action(), form.Action1);
    EXPECT_EQ(button->Caption(), "Record");
    EXPECT_EQ(button->Hint(), "Own hint") << "what the form gives the button stays";
    const int runs = form.Runs;
    button->OnClick(button);
    EXPECT_EQ(form.Runs, runs + 1);
}

} // namespace

TEST(Actions, AFormWithAnActionListAndABoundButtonReadsBack)
{
    TForm_Actions form(nullptr);
    ReadComponentText(actions_text, "TForm_Actions", &form, TForm_Actions::Table());
    Expect_Actions_Form(form);

    const std::string written = WriteComponentText(&form, TForm_Actions::Table());
    EXPECT_NE(written.find("Action = Action1"), std::string::npos) << written;
    EXPECT_EQ(written.find("ImageIndex = -1"), std::string::npos);
    TForm_Actions again(nullptr);
    ReadComponentText(written, "TForm_Actions", &again, TForm_Actions::Table());
    Expect_Actions_Form(again);
    EXPECT_EQ(WriteComponentText(&again, TForm_Actions::Table()), written);
}

TEST(Actions, AnActionOutsideAnActionListIsRefused)
{
    TForm_Actions form(nullptr);
    const char* text = R"(object Form_Actions: TForm_Actions
  object Panel1: TPanel
    object Action1: TAction
    end
  end
end
)";
    EXPECT_THROW(ReadComponentText(text, "TForm_Actions", &form, TForm_Actions::Table()), EReadError);
}

#include "platform/classlib/Form_Parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TFormValue Value_Of(const std::string& text)
{
    const TFormObject root = Parse_Form_Text("object A: TA\n  P = " + text + "\nend\n", "test");
    EXPECT_EQ(root.Properties.size(), 1u);
    return root.Properties.at(0).Value;
}

} // namespace

TEST(Form_Parser, StringsJoinQuotedPiecesCharacterCodesAndPlusSigns)
{
    const std::pair<const char*, const char*> cases[] = {
        {"''", ""},
        {"'It''s'", "It's"},
        {"'x'#13#10'y'", "x\r\ny"},
        {"#176'C'", "\xC2\xB0" "C"},
        {"#8211", "\xE2\x80\x93"},
        {"#$41'B'", "AB"},
        {"'ab' +\n    'cd' + #33", "abcd!"},
        {"'caf\xC3\xA9'", "caf\xC3\xA9"},
    };
    for (const auto& [text, expected] : cases) {
        const TFormValue value = Value_Of(text);
        EXPECT_EQ(value.Kind, TFormValue::TKind::String) << text;
        EXPECT_EQ(value.Text, expected) << text;
    }
}

TEST(Form_Parser, NumbersIdentifiersSetsListsCollectionsAndBinaryData)
{
    EXPECT_EQ(Value_Of("-12").Integer, -12);
    EXPECT_EQ(Value_Of("$FF").Integer, 255);
    EXPECT_EQ(Value_Of("-9223372036854775808").Integer, INT64_MIN);
    EXPECT_EQ(Value_Of("2.5E-1").Kind, TFormValue::TKind::Float);
    EXPECT_DOUBLE_EQ(Value_Of("2.5E-1").Float, 0.25);
    EXPECT_DOUBLE_EQ(Value_Of("-1.5").Float, -1.5);

    const TFormValue ident = Value_Of("Form2.Popup");
    EXPECT_EQ(ident.Kind, TFormValue::TKind::Ident);
    EXPECT_EQ(ident.Text, "Form2.Popup");

    EXPECT_TRUE(Value_Of("[]").Names.empty());
    EXPECT_EQ(Value_Of("[fsBold, fsItalic]").Names, (std::vector<std::string>{"fsBold", "fsItalic"}));

    const TFormValue list = Value_Of("(\n  1\n  'two'\n  three\n  (4))");
    ASSERT_EQ(list.Items.size(), 4u);
    EXPECT_EQ(list.Items[1].Text, "two");
    EXPECT_EQ(list.Items[3].Items.at(0).Integer, 4);

    const TFormValue collection = Value_Of("<\n  item\n    A = 1\n    B.C = 'x'\n  end\n  item\n  end>");
    ASSERT_EQ(collection.Collection.size(), 2u);
    EXPECT_EQ(collection.Collection[0].Properties.at(1).Name, "B.C");
    EXPECT_TRUE(collection.Collection[1].Properties.empty());

    EXPECT_EQ(Value_Of("{\n  00FF7f\n  10}").Bytes, (std::vector<unsigned char>{0x00, 0xFF, 0x7F, 0x10}));
    EXPECT_TRUE(Value_Of("{}").Bytes.empty());
}

TEST(Form_Parser, ObjectsNestAndKeepTheirKindNameAndClass)
{
    const TFormObject root = Parse_Form_Text("OBJECT Form1: TForm1\n"
                                             "  inherited Panel1: TPanel\n"
                                             "    object TLabel\n"
                                             "    End\n"
                                             "  end\n"
                                             "end",
                                             "test");
    EXPECT_EQ(root.Name, "Form1");
    EXPECT_EQ(root.Class_Name, "TForm1");
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_TRUE(root.Children[0].Inherited);
    EXPECT_EQ(root.Children[0].Line, 2);
    ASSERT_EQ(root.Children[0].Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Children[0].Name, "");
    EXPECT_EQ(root.Children[0].Children[0].Class_Name, "TLabel");
    EXPECT_EQ(Parse_Form_Text("\xEF\xBB\xBFobject A: TA\r\n  P = 'x'\r\nend\r\n", "test").Properties.at(0).Value.Text,
              "x");
}

TEST(Form_Parser, BrokenTextFailsNamingTheSourceAndLine)
{
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep += "object A: TA\n";
    const std::pair<std::string, const char*> cases[] = {
        {"", "line 1: 'object' or 'inherited' expected"},
        {"object A: TA\n  P = 'open\nend", "line 2: unterminated string"},
        {"object A: TA\n  P = 1\n", "line 3: 'end' expected"},
        {"object A: TA\n  P 1\nend", "line 2: '=' expected"},
        {"object A: TA\n  P = @\nend", "line 2: property value expected"},
        {"object A: TA\n  P = {0G}\nend", "line 2: invalid binary data"},
        {"object A: TA\n  P = {0}\nend", "line 2: invalid binary data"},
        {"object A: TA\n  P = {00", "line 2: '}' expected"},
        {"object A: TA\n  P = 99999999999999999999\nend", "out of range"},
        {"object A: TA\n  P = #1114112\nend", "line 2: invalid character code"},
        {"object A: TA\n  P = 'a' +\nend", "string expected after '+'"},
        {"object A: TA\n  P = [a b]\nend", "line 2: ',' expected"},
        {"object A: TA\n  P = <thing>\nend", "'item' or '>' expected"},
        {"object A: TA\n  P = (1 2\n", "')' expected"},
        {"object A: TA\n  P = 1.2.3\nend", "invalid number"},
        {"object A: TA\nend\nobject B: TB\nend", "line 3: end of text expected"},
        {deep, "nested too deeply"},
    };
    for (const auto& [text, expected] : cases) {
        try {
            Parse_Form_Text(text, "TForm_Broken");
            ADD_FAILURE() << "no error for: " << text;
        } catch (const EParserError& error) {
            const std::string message = error.Message;
            EXPECT_NE(message.find("TForm_Broken"), std::string::npos) << message;
            EXPECT_NE(message.find(expected), std::string::npos) << message;
        }
    }
}

#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/Canvas.h"
#include "runtime/Label.h"
#include "runtime/Picture.h"

#include <QColor>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Color;
using runtime::PropertyValue;
using runtime::Ref;

class PropertyLists : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make([this](TestWindow &w) {
            label = AddNamed<runtime::Label>(w, u"label"_s);
            canvas = AddNamed<runtime::Canvas>(w, u"canvas"_s);
        });
    }

    Ref<TestWindow> window;
    Ref<runtime::Label> label;
    Ref<runtime::Canvas> canvas;
};

TEST_F(PropertyLists, LaterEntryOfTheSameNameWins)
{
    runtime::SetProperties(*label, {{"Text", u"first"_s}, {"Visible", false}, {"Left", 10}, {"FontSize", 12.0f},
                                    {"Text", u"second"_s}, {"Visible", true}, {"Left", 25}, {"FontSize", 24.0f}});
    EXPECT_EQ(label->Text(), u"second"_s);
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(label->Widget()->x(), 25);
    EXPECT_EQ(label->Widget()->font().pixelSize(), 24);
}

TEST_F(PropertyLists, UnknownNamesRaiseKeyNotFound)
{
    EXPECT_THROW(runtime::SetProperties(*label, {{"Txt", u"x"_s}}), runtime::KeyNotFoundException);
    // A property of another control class is as unknown as a typo.
    EXPECT_THROW(runtime::SetProperties(*canvas, {{"Text", u"x"_s}}), runtime::KeyNotFoundException);
    EXPECT_THROW(runtime::SetProperties(*window, {{"Titel", u"x"_s}}), runtime::KeyNotFoundException);
}

struct WrongKind {
    const char *name;
    PropertyValue value;
};

void PrintTo(const WrongKind &c, std::ostream *os) { *os << c.name << " given a " << runtime::KindName(c.value); }

class WrongKindOfValue : public PropertyLists, public ::testing::WithParamInterface<WrongKind> {};

TEST_P(WrongKindOfValue, RaisesTypeMismatch)
{
    EXPECT_THROW(runtime::SetProperties(*label, {{GetParam().name, GetParam().value}}),
                 runtime::TypeMismatchException);
}

INSTANTIATE_TEST_SUITE_P(LabelEntries, WrongKindOfValue,
                         ::testing::Values(WrongKind{"FontSize", std::int64_t{12}}, WrongKind{"FontUnit", std::int64_t{0}},
                                           WrongKind{"Text", std::int64_t{3}}, WrongKind{"Visible", u"True"_s},
                                           WrongKind{"Left", 1.5f}, WrongKind{"TextColor", std::int64_t{0xFF0000}},
                                           WrongKind{"Selectable", std::int64_t{1}}));

TEST_F(PropertyLists, FailingEntryStopsTheList)
{
    EXPECT_THROW(runtime::SetProperties(*label, {{"Text", u"applied"_s}, {"Left", 40}, {"FontSize", std::int64_t{30}},
                                                 {"Text", u"never"_s}, {"Top", 50}}),
                 runtime::TypeMismatchException);
    EXPECT_EQ(label->Text(), u"applied"_s);
    EXPECT_EQ(label->Left(), 40);
    EXPECT_EQ(label->Top(), 0);
    EXPECT_FLOAT_EQ(label->Font().Size, 0.0f);

    EXPECT_THROW(runtime::SetProperties(*label, {{"Top", 5}, {"Unknown", true}, {"Top", 9}}),
                 runtime::KeyNotFoundException);
    EXPECT_EQ(label->Top(), 5);
}

TEST_F(PropertyLists, InertPropertiesAreKeptAsGiven)
{
    EXPECT_EQ(label->InertProperty("Selectable"), nullptr);
    runtime::SetProperties(*label, {{"Selectable", true}, {"DataField", u"f"_s}, {"LockRight", true}});
    runtime::SetProperties(*canvas, {{"DoubleBuffer", true}, {"TabPanelIndex", 3}});
    runtime::SetProperties(*window, {{"Type", 2}});

    const PropertyValue *selectable = label->InertProperty("Selectable");
    ASSERT_NE(selectable, nullptr);
    EXPECT_EQ(*selectable, PropertyValue(true));
    EXPECT_EQ(*label->InertProperty("DataField"), PropertyValue(u"f"_s));
    EXPECT_EQ(*label->InertProperty("LockRight"), PropertyValue(true));
    EXPECT_EQ(*canvas->InertProperty("TabPanelIndex"), PropertyValue(std::int64_t{3}));
    EXPECT_EQ(*window->InertProperty("Type"), PropertyValue(std::int64_t{2}));
    EXPECT_EQ(canvas->InertProperty("Selectable"), nullptr);

    runtime::SetProperties(*label, {{"Selectable", false}});
    EXPECT_EQ(*label->InertProperty("Selectable"), PropertyValue(false));
    EXPECT_THROW(runtime::SetProperties(*label, {{"Selectable", std::int64_t{1}}}), runtime::TypeMismatchException);
    EXPECT_EQ(*label->InertProperty("Selectable"), PropertyValue(false));
}

struct RgbCase {
    int red, green, blue, alpha;
    Color expected;
};

class RgbComponents : public ::testing::TestWithParam<RgbCase> {};

TEST_P(RgbComponents, ClampToEightBitsAndIgnoreAlpha)
{
    const RgbCase &c = GetParam();
    const Color colour = runtime::RGB(c.red, c.green, c.blue, c.alpha);
    EXPECT_EQ(colour, c.expected);
    EXPECT_EQ(colour.ToQColor(), QColor(c.expected.Red, c.expected.Green, c.expected.Blue));
    EXPECT_EQ(Color::FromQColor(colour.ToQColor()), colour);
}

INSTANTIATE_TEST_SUITE_P(Values, RgbComponents,
                         ::testing::Values(RgbCase{0, 0, 0, 0, {0, 0, 0}}, RgbCase{255, 128, 7, 0, {255, 128, 7}},
                                           RgbCase{300, -5, 256, 0, {255, 0, 255}},
                                           RgbCase{12, 34, 56, 200, {12, 34, 56}}));

// References compare identity: two pictures of the very same pixels are still two objects.
TEST(References, EqualExactlyWhenTheyNameTheSameObject)
{
    const QPixmap pixels(4, 4);
    auto a = runtime::NewObject<runtime::Picture>(pixels);
    auto b = runtime::NewObject<runtime::Picture>(pixels);
    Ref<runtime::Picture> alsoA = a;
    Ref<runtime::Object> aAsObject = a;

    EXPECT_TRUE(a == alsoA);
    EXPECT_TRUE(a == aAsObject);
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(aAsObject == b);
    EXPECT_TRUE(Ref<runtime::Picture>() == Ref<runtime::Picture>(nullptr));
    EXPECT_TRUE(Ref<runtime::Picture>() == Ref<runtime::Object>());
    EXPECT_FALSE(a == Ref<runtime::Picture>());
}

TEST(References, NilRaisesNilObjectOnUse)
{
    Ref<runtime::Picture> nil;
    EXPECT_TRUE(nil.IsNil());
    EXPECT_THROW(static_cast<void>(nil->Width()), runtime::NilObjectException);
    EXPECT_THROW(static_cast<void>(*nil), runtime::NilObjectException);
}

class ClassTests : public RuntimeFixture {};

TEST_F(ClassTests, PassNilAsNilAndRaiseOnAnotherClass)
{
    Ref<runtime::Control> label;
    Ref<runtime::Control> canvas;
    auto window = TestWindow::Make([&](TestWindow &w) {
        label = AddNamed<runtime::Label>(w, u"label"_s);
        canvas = AddNamed<runtime::Canvas>(w, u"canvas"_s);
    });

    EXPECT_TRUE(runtime::ClassTest<runtime::Label>(Ref<runtime::Control>()).IsNil());
    EXPECT_TRUE(runtime::ClassTest<runtime::Label>(label) == label);
    EXPECT_THROW(runtime::ClassTest<runtime::Canvas>(label), runtime::IllegalCastException);
    EXPECT_THROW(runtime::ClassTest<runtime::Label>(canvas), runtime::IllegalCastException);

    EXPECT_TRUE(window->ControlAs<runtime::Canvas>(u"canvas"_s) == canvas);
    EXPECT_TRUE(window->ControlAs<runtime::Canvas>(u"missing"_s).IsNil());
    EXPECT_THROW(window->ControlAs<runtime::Canvas>(u"label"_s), runtime::IllegalCastException);
}

} // namespace
} // namespace tickora::testing

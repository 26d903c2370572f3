// The array object: its length kept in step with its elements.
#include <gtest/gtest.h>

#include "array.h"
#include "global.h"

namespace {

class ArrayTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		global = JS_Global_Object::Create();
		ASSERT_NE(global, nullptr);
		array = JS_Array::Create(global);
		ASSERT_NE(array, nullptr);
		held.SetObject(array);
	}
	void TearDown() override
	{
		held.SetUndefined();
		global->ClearGlobal();
		global->Release();
	}
	static JS_Value Num(double d)
	{
		JS_Value v;
		v.SetNumber(d);
		return v;
	}
	double LengthProperty()
	{
		JS_Value v;
		array->GetName(nullptr, js_names.length, &v, array);
		return v.IsNumber() ? v.u.number : -1;
	}

	JS_Global_Object *global = nullptr;
	JS_Array *array = nullptr;
	JS_Value held;
};

TEST_F(ArrayTest, NewArrayIsEmptyWithArrayPrototype)
{
	EXPECT_EQ(array->Length(), 0u);
	EXPECT_EQ(LengthProperty(), 0);
	EXPECT_EQ(array->Prototype(), global->Member(JS_Global_Object::ARRAY_PROTOTYPE));
	EXPECT_EQ(array->IsArray(), 1);
	EXPECT_STREQ(array->class_name, "Array");
	JS_Property *p = array->FindNameEntry(js_names.length);
	ASSERT_NE(p, nullptr);
	EXPECT_EQ(p->flags & PROP_ATTRIBUTES, uint32_t(PROP_DONT_ENUM | PROP_DONT_DELETE));
	// Array.prototype is itself an array.
	EXPECT_EQ(global->Member(JS_Global_Object::ARRAY_PROTOTYPE)->IsArray(), 1);
}

TEST_F(ArrayTest, ElementsRaiseTheLength)
{
	EXPECT_EQ(array->PutIndex(9, Num(0), array, 0), 0);
	EXPECT_EQ(array->Length(), 10u);
	EXPECT_EQ(LengthProperty(), 10);
	EXPECT_EQ(array->PutIndex(3, Num(1), array, 0), 0);
	EXPECT_EQ(array->Length(), 10u);
	EXPECT_TRUE(array->Append(Num(2)));
	EXPECT_EQ(array->Length(), 11u);
	EXPECT_EQ(array->IndexedCount(), 3u);
	EXPECT_EQ(array->PutIndex(4294967294u, Num(3), array, 0), 0);
	EXPECT_EQ(LengthProperty(), 4294967295.0);
	EXPECT_FALSE(array->Append(Num(4)));
}

TEST_F(ArrayTest, IndexOnePastTheLargestLengthIsANamedProperty)
{
	EXPECT_EQ(array->PutIndex(4294967295u, Num(7), array, 0), 0);
	EXPECT_EQ(array->Length(), 0u);
	EXPECT_EQ(array->IndexedCount(), 0u);
	ASSERT_NE(FindOwnPropertyByText(array, "4294967295"), nullptr);
	EXPECT_EQ(FindOwnPropertyByText(array, "4294967295")->value.u.number, 7);
}

TEST_F(ArrayTest, LengthAssignment)
{
	for (uint32_t i : {0u, 1u, 2u, 2147483648u, 4000000000u})
		array->PutIndex(i, Num(i), array, 0);
	// Shortening removes every element at or past the new length, the
	// ones above 2^31 included.
	EXPECT_EQ(array->PutName(nullptr, js_names.length, Num(2), array, 0), 0);
	EXPECT_EQ(array->Length(), 2u);
	EXPECT_EQ(array->IndexedCount(), 2u);
	EXPECT_EQ(array->PutName(nullptr, js_names.length, Num(4294967295.0), array, 0), 0);
	EXPECT_EQ(LengthProperty(), 4294967295.0);
	EXPECT_EQ(array->IndexedCount(), 2u);

	const double bad[] = {-1, 1.5, 4294967296.0, 1.0 / 0.0, -1.0 / 0.0, 0.0 / 0.0};
	for (double d : bad) {
		EXPECT_EQ(array->PutName(nullptr, js_names.length, Num(d), array, 0), 3) << d;
		EXPECT_EQ(array->Length(), 4294967295u);
	}
	JS_Value text;
	text.SetString(JS_String::Make("1"));
	EXPECT_EQ(array->PutName(nullptr, js_names.length, text, array, 0), 0);
	EXPECT_EQ(array->Length(), 1u);
	EXPECT_EQ(array->IndexedCount(), 1u);
	JS_Value object;
	object.SetObject(global->ObjectPrototype());
	EXPECT_EQ(array->PutName(nullptr, js_names.length, object, array, 0), 2);
	EXPECT_EQ(array->Length(), 1u);
	// The length cannot be deleted.
	EXPECT_EQ(array->DeleteName(js_names.length), 0);
}

} // namespace

// Objects, property tables, the name table, global objects and counting.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "context.h"
#include "function.h"
#include "global.h"
#include "machine.h"
#include "object.h"
#include "foreign.h"

namespace {

// Counts its own destruction, so that tests can see what was freed.
struct Tracked : JS_Native_Object {
	explicit Tracked(JS_Global_Object *g, int *deaths) : JS_Native_Object(g), deaths_(deaths) {}
	~Tracked() override { ++*deaths_; }
	int *deaths_;
};

class ObjectTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		global = JS_Global_Object::Create();
		ASSERT_NE(global, nullptr);
	}
	void TearDown() override
	{
		if (global) {
			global->ClearGlobal();
			global->Release();
		}
	}

	JS_Native_Object *Plain()
	{
		auto *o = new JS_Native_Object(global);
		o->SetPrototype(global->ObjectPrototype());
		return o;
	}
	static JS_Name *N(const char *text) { return JS_Name::Intern(text); }
	static JS_Value Num(double d)
	{
		JS_Value v;
		v.SetNumber(d);
		return v;
	}
	static double Get(JS_Object *o, const char *name)
	{
		JS_Value v;
		o->GetName(nullptr, N(name), &v, o);
		return v.IsNumber() ? v.u.number : -999;
	}

	JS_Global_Object *global = nullptr;
};

TEST_F(ObjectTest, PrototypeChainNearestDefinitionWins)
{
	JS_Value a, b, c;
	a.SetObject(Plain());
	b.SetObject(Plain());
	c.SetObject(Plain());
	b.u.object->SetPrototype(a.u.object);
	c.u.object->SetPrototype(b.u.object);
	a.u.object->PutName(nullptr, N("x"), Num(1), a.u.object, 0);
	b.u.object->PutName(nullptr, N("x"), Num(2), b.u.object, 0);
	EXPECT_EQ(Get(c.u.object, "x"), 2);
	EXPECT_EQ(b.u.object->DeleteName(N("x")), 1);
	EXPECT_EQ(Get(c.u.object, "x"), 1);
	EXPECT_EQ(c.u.object->HasName(N("x"), c.u.object), 1);
	EXPECT_EQ(c.u.object->HasName(N("nowhere"), c.u.object), 0);
	EXPECT_TRUE(a.u.object->WouldCycle(c.u.object));
	EXPECT_FALSE(c.u.object->WouldCycle(a.u.object));
}

TEST_F(ObjectTest, AttributesGovernAssignmentAndDeletion)
{
	JS_Value proto, o;
	proto.SetObject(Plain());
	o.SetObject(Plain());
	o.u.object->SetPrototype(proto.u.object);
	proto.u.object->PutName(nullptr, N("ro"), Num(1), proto.u.object, PROP_READ_ONLY);
	// ReadOnly on a prototype blocks nothing: the object gets its own.
	EXPECT_EQ(o.u.object->CanPutName(N("ro"), o.u.object), 0);
	o.u.object->PutName(nullptr, N("ro"), Num(2), o.u.object, 0);
	EXPECT_EQ(Get(o.u.object, "ro"), 2);
	EXPECT_EQ(Get(proto.u.object, "ro"), 1);
	// An own ReadOnly property ignores assignments silently.
	EXPECT_EQ(proto.u.object->PutName(nullptr, N("ro"), Num(3), proto.u.object, 0), 0);
	EXPECT_EQ(Get(proto.u.object, "ro"), 1);

	o.u.object->PutName(nullptr, N("keep"), Num(1), o.u.object, PROP_DONT_DELETE);
	EXPECT_EQ(o.u.object->DeleteName(N("keep")), 0);
	EXPECT_EQ(Get(o.u.object, "keep"), 1);
	EXPECT_EQ(o.u.object->DeleteName(N("absent")), 1);
	o.u.object->PutIndex(5, Num(5), o.u.object, PROP_DONT_DELETE);
	EXPECT_EQ(o.u.object->DeleteIndex(5), 0);
	EXPECT_EQ(o.u.object->DeleteIndex(6), 1);
}

TEST_F(ObjectTest, NamedTableKeepsInsertionOrderAndGrowsByTwiceItsSize)
{
	JS_Value v;
	auto *o = Plain();
	v.SetObject(o);
	const char *names[] = {"k0", "k1", "k2", "k3", "k4", "k5", "k6", "k7", "k8", "k9", "k10", "k11", "k12"};
	for (int i = 0; i < 12; ++i)
		o->PutName(nullptr, N(names[i]), Num(i), o, 0);
	EXPECT_EQ(o->NamedCapacity(), 12u);
	o->PutName(nullptr, N(names[12]), Num(12), o, 0);
	EXPECT_EQ(o->NamedCapacity(), 36u);
	o->DeleteName(N("k3"));
	std::vector<std::string> order;
	for (uint32_t i = 0; i < o->NamedCount(); ++i)
		order.push_back(o->NamedEntryAt(i)->key.name->text);
	EXPECT_EQ(order, (std::vector<std::string>{"k0", "k1", "k2", "k4", "k5", "k6", "k7", "k8", "k9",
				 "k10", "k11", "k12"}));
}

TEST_F(ObjectTest, IndexedKeysAreOrderedAsUnsignedNumbers)
{
	JS_Value v;
	auto *o = Plain();
	v.SetObject(o);
	for (uint32_t k : {2147483648u, 1u, 4294967294u, 0u, 3000000000u})
		o->PutIndex(k, Num(k), o, 0);
	std::vector<uint32_t> keys;
	for (uint32_t i = 0; i < o->IndexedCount(); ++i)
		keys.push_back(o->IndexedEntryAt(i)->key.index);
	EXPECT_EQ(keys, (std::vector<uint32_t>{0, 1, 2147483648u, 3000000000u, 4294967294u}));
	// Everything from a key up is reached by the lower bound, as an array
	// that shortens itself does.
	EXPECT_EQ(o->IndexedLowerBound(2), 2u);
	while (o->IndexedCount() > o->IndexedLowerBound(2))
		o->RemoveIndexedAt(o->IndexedCount() - 1);
	EXPECT_EQ(o->IndexedCount(), 2u);
	ASSERT_EQ(o->InsertIndexedAt(1), 1);
	EXPECT_TRUE(o->IndexedEntryAt(1)->value.IsUndefined());
}

TEST_F(ObjectTest, OwnPropertyByTextUsesTheArrayIndexRule)
{
	JS_Value v;
	auto *o = Plain();
	v.SetObject(o);
	o->PutName(nullptr, N("01"), Num(1), o, 0);   // o["01"] is a named property
	o->PutIndex(3000000000u, Num(2), o, 0);
	o->PutIndex(1, Num(3), o, 0);
	ASSERT_NE(FindOwnPropertyByText(o, "01"), nullptr);
	EXPECT_EQ(FindOwnPropertyByText(o, "01")->value.u.number, 1);
	ASSERT_NE(FindOwnPropertyByText(o, "3000000000"), nullptr);
	EXPECT_EQ(FindOwnPropertyByText(o, "3000000000")->value.u.number, 2);
	EXPECT_EQ(FindOwnPropertyByText(o, "1")->value.u.number, 3);
	EXPECT_EQ(FindOwnPropertyByText(o, "never interned anywhere"), nullptr);
	EXPECT_EQ(JS_Name::Find("never interned anywhere"), nullptr);
}

TEST_F(ObjectTest, NamesLeaveTheTableWithTheirLastCount)
{
	JS_Name *looked_up = JS_Name::Intern("only-looked-up");
	ASSERT_NE(looked_up, nullptr);
	EXPECT_EQ(JS_Name::Find("only-looked-up"), looked_up);   // stays, never counted

	JS_Value v;
	auto *o = Plain();
	v.SetObject(o);
	JS_Name *t = N("t-name-used-once");
	o->PutName(nullptr, t, Num(1), o, 0);
	EXPECT_EQ(t->count, 1u);
	o->DeleteName(t);
	EXPECT_EQ(JS_Name::Find("t-name-used-once"), nullptr);
	// o.t = 2 again interns a fresh name; the freed one is never touched.
	o->PutName(nullptr, N("t-name-used-once"), Num(2), o, 0);
	EXPECT_EQ(Get(o, "t-name-used-once"), 2);
}

TEST_F(ObjectTest, PrototypeHoldsACount)
{
	int deaths = 0;
	JS_Value o, p;
	o.SetObject(Plain());
	p.SetObject(new Tracked(global, &deaths));
	p.u.object->PutName(nullptr, N("x"), Num(7), p.u.object, 0);
	o.u.object->SetPrototype(p.u.object);
	p.SetUndefined();   // like F.prototype = {} after new F()
	EXPECT_EQ(deaths, 0);
	EXPECT_EQ(Get(o.u.object, "x"), 7);
	o.SetUndefined();
	EXPECT_EQ(deaths, 1);
}

TEST_F(ObjectTest, FixedMembersSurviveDeletionOfTheirProperties)
{
	JS_Object *array_prototype = global->Member(JS_Global_Object::ARRAY_PROTOTYPE);
	JS_Value array_ctor;
	global->GetName(nullptr, N("Array"), &array_ctor, global);
	ASSERT_TRUE(array_ctor.IsObject());
	// delete Array; delete Array.prototype.constructor
	array_prototype->DeleteName(N("constructor"));
	global->DeleteName(N("Array"));
	array_ctor.SetUndefined();
	EXPECT_EQ(global->Member(JS_Global_Object::ARRAY_PROTOTYPE), array_prototype);
	EXPECT_STREQ(array_prototype->class_name, "Array");
	EXPECT_EQ(array_prototype->Prototype(), global->ObjectPrototype());
}

TEST_F(ObjectTest, ReleasingALongChainDoesNotRecurse)
{
	int deaths = 0;
	JS_Value head;
	head.SetObject(new Tracked(global, &deaths));
	for (int i = 0; i < 100000; ++i) {
		JS_Value next;
		next.SetObject(new Tracked(global, &deaths));
		next.u.object->PutName(nullptr, N("next"), head, next.u.object, 0);
		head = next;
	}
	head.SetUndefined();
	EXPECT_EQ(deaths, 100001);
}

TEST_F(ObjectTest, LongPrototypeChainsAreWalkedWithoutRecursion)
{
	JS_Value base;
	base.SetObject(Plain());
	base.u.object->PutName(nullptr, N("deep"), Num(42), base.u.object, 0);
	JS_Value top = base;
	for (int i = 0; i < 100000; ++i) {
		JS_Value o;
		o.SetObject(new JS_Native_Object(global));
		o.u.object->SetPrototype(top.u.object);
		top = o;
	}
	EXPECT_EQ(Get(top.u.object, "deep"), 42);
	EXPECT_EQ(top.u.object->HasName(N("missing"), top.u.object), 0);
	EXPECT_EQ(top.u.object->CanPutName(N("deep"), top.u.object), 1);
	top.SetUndefined();   // releasing the chain is iterative as well
}

TEST_F(ObjectTest, ClearingBreaksCyclesAndKeepsHostHeldObjects)
{
	int deaths = 0;
	JS_Value held;
	{
		// a <-> b, reachable only from a global property.
		JS_Value a, b;
		a.SetObject(new Tracked(global, &deaths));
		b.SetObject(new Tracked(global, &deaths));
		a.u.object->PutName(nullptr, N("b"), b, a.u.object, 0);
		b.u.object->PutName(nullptr, N("a"), a, b.u.object, 0);
		global->PutName(nullptr, N("a"), a, global, 0);
		held.SetObject(new Tracked(global, &deaths));
		held.u.object->SetPrototype(global->ObjectPrototype());
		held.u.object->PutName(nullptr, N("a"), a, held.u.object, 0);
	}
	EXPECT_EQ(deaths, 0);
	global->ClearGlobal();
	EXPECT_EQ(deaths, 2);   // a and b are gone
	EXPECT_EQ(held.u.object->NamedCount(), 0u);
	EXPECT_EQ(held.u.object->Prototype(), nullptr);
	EXPECT_EQ(global->ListedObjectCount(), 1u);   // only the held object
	ASSERT_TRUE(global->InstallBuiltins());
	EXPECT_NE(global->ObjectPrototype(), nullptr);
}

TEST_F(ObjectTest, ObjectsOutlivingTheirGlobalAreDetached)
{
	int deaths = 0;
	JS_Value survivor;
	survivor.SetObject(new Tracked(global, &deaths));
	global->ClearGlobal();
	global->Release();
	global = nullptr;
	EXPECT_EQ(deaths, 0);
	survivor.SetUndefined();   // must not unlink from the freed global
	EXPECT_EQ(deaths, 1);
}

int ReturnMagic(ES_Context *, JS_Frame *, JS_Frame *self, int magic)
{
	JS_Value v;
	v.SetNumber(magic);
	self->values.Push(v);
	return COMPLETION_RETURN;
}

TEST_F(ObjectTest, ReferencesNeverLeaveTheEngine)
{
	// A property whose value is a reference (as the arguments object keeps)
	// is reported as present, but the host's record stays as it was.
	JS_Value o, ref;
	o.SetObject(Plain());
	ref.SetNameReference(o.u.object, N("x"));
	global->PutName(nullptr, N("aliased"), ref, global, 0);
	ES_Value out{};
	out.type = ES_VALUE_NUMBER;
	out.value.number = 5;
	EXPECT_EQ(ES_GetProperty(global, "aliased", &out), 1);
	EXPECT_EQ(out.type, ES_VALUE_NUMBER);
	EXPECT_EQ(out.value.number, 5);
}

TEST_F(ObjectTest, InstallNativeFunctions)
{
	const JS_NativeFunctionDescriptor table[] = {
		{"first", ReturnMagic, 2, 11, PROP_DONT_ENUM},
		{"second", ReturnMagic, 0, 22, PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE},
	};
	JS_Value o;
	o.SetObject(Plain());
	ASSERT_TRUE(InstallNativeFunctions(o.u.object, table, 2, global));
	JS_Property *first = o.u.object->FindNameEntry(N("first"));
	ASSERT_NE(first, nullptr);
	EXPECT_EQ(first->flags, uint32_t(PROP_DONT_ENUM));
	JS_Object *f = first->value.u.object;
	EXPECT_EQ(f->IsFunction(), 1);
	EXPECT_EQ(f->Prototype(), global->FunctionPrototype());
	EXPECT_EQ(Get(f, "length"), 2);
	EXPECT_EQ(f->FindNameEntry(N("length"))->flags, uint32_t(PROP_ATTRIBUTES));
	EXPECT_EQ(f->FindNameEntry(N("prototype")), nullptr);
	JS_String *text = JS_String::Make("");
	ASSERT_TRUE(f->SourceText(text));
	EXPECT_STREQ(text->Text(), "function first() { [native code] }");
	JS_String::Free(text);
	EXPECT_EQ(o.u.object->FindNameEntry(N("second"))->flags, uint32_t(PROP_ATTRIBUTES));
}

TEST_F(ObjectTest, ErrorPrototypesAndGlobalProperties)
{
	for (int kind = 0; kind < ERROR_KIND_COUNT; ++kind) {
		JS_Object *p = global->ErrorPrototype(kind);
		ASSERT_NE(p, nullptr);
		EXPECT_STREQ(p->class_name, "Error");
		JS_Value name;
		p->GetName(nullptr, N("name"), &name, p);
		ASSERT_TRUE(name.IsString());
		EXPECT_STREQ(name.u.string->Text(), js_error_kind_names[kind]);
		EXPECT_EQ(p->Prototype(), kind ? global->ErrorPrototype(0) : global->ObjectPrototype());
	}
	// GuruMeditation has no global property and no constructor link.
	EXPECT_EQ(global->FindNameEntry(N("GuruMeditation")), nullptr);
	EXPECT_EQ(global->ErrorPrototype(ERROR_GURU_MEDITATION)->FindNameEntry(N("constructor")), nullptr);
	JS_Property *nan = global->FindNameEntry(N("NaN"));
	ASSERT_NE(nan, nullptr);
	EXPECT_EQ(nan->flags, uint32_t(PROP_DONT_ENUM | PROP_DONT_DELETE));
	// Every own property of the global object is DontEnum.
	for (uint32_t i = 0; i < global->NamedCount(); ++i)
		EXPECT_TRUE(global->NamedEntryAt(i)->flags & PROP_DONT_ENUM) << global->NamedEntryAt(i)->key.name->text;
}

TEST_F(ObjectTest, ContextResetDiscardsEverythingOfAnAbandonedRun)
{
	ES_Context cx(global, 4, 0);
	ASSERT_TRUE(cx.PushScopeChain() && cx.PushScopeObject(global) && cx.PushThis(global));
	cx.this_base = cx.this_count;
	JS_Value o;
	o.SetObject(Plain());
	ASSERT_TRUE(cx.PushScopeChain());
	ASSERT_TRUE(cx.PushScopeObject(o.u.object));
	ASSERT_TRUE(cx.PushThis(o.u.object));
	for (int i = 0; i < 200; ++i)
		ASSERT_TRUE(cx.PushCall(o.u.object));
	cx.pending_label = N("label");
	cx.pending_label->AddRef();
	ASSERT_TRUE(cx.Reset());
	EXPECT_EQ(cx.FrameCount(), 0u);
	EXPECT_EQ(cx.scope_count, 1u);
	EXPECT_EQ(cx.Scope()->Count(), 1u);
	EXPECT_EQ(cx.Scope()->At(0), global);
	EXPECT_EQ(cx.This(), global);
	EXPECT_EQ(cx.pending_label, nullptr);
	EXPECT_EQ(o.u.object->count, 1u);   // every frame, scope and this count was given back
	EXPECT_EQ(RunContext(&cx, 100), COMPLETION_NORMAL);   // nothing to run is safe
}

// A host that answers puts from a script of answers and records them.
struct PutHost {
	std::vector<int> answers;
	std::vector<std::string> seen;
};
PutHost *put_host;
void ES_CALLBACK NoTouch(ES_HostObject) {}
int ES_CALLBACK ScriptedPut(ES_HostObject, JS_Object *, const char *name, ES_Cookie, ES_Value *v)
{
	std::string s = name;
	s += v->type == ES_VALUE_NUMBER ? " number" : v->type == ES_VALUE_STRING ? std::string(" string ") + v->value.string
										     : " other";
	put_host->seen.push_back(s);
	int answer = put_host->answers.front();
	put_host->answers.erase(put_host->answers.begin());
	return answer;
}
int ES_CALLBACK LargeCount(ES_HostObject)
{
	return 1000;
}

TEST_F(ObjectTest, ForeignPutFollowsTheHostsAnswer)
{
	ES_HostOps ops{};
	ops.touch = NoTouch;
	ops.put_name = ScriptedPut;
	ops.named_count = LargeCount;
	ops.indexed_count = LargeCount;
	const ES_HostOps *saved = js_host_ops;
	js_host_ops = &ops;
	PutHost host;
	put_host = &host;
	int token = 0;
	JS_Value holder;
	auto *o = new JS_Foreign_Object(global, "Host", &token, false);
	holder.SetObject(o);
	JS_Value text;
	text.SetString(JS_String::Make("12"));

	const struct {
		std::vector<int> answers;
		const JS_Value *value;
		int result;
		bool stored_natively;
		std::vector<std::string> seen;
	} cases[] = {
		{{ES_PUT_STORED}, &text, 0, false, {"p string 12"}},
		{{ES_PUT_DECLINED}, &text, 0, true, {"p string 12"}},
		{{ES_PUT_FAILED}, &text, 1, false, {"p string 12"}},
		{{ES_PUT_WANT_NUMBER, ES_PUT_STORED}, &text, 0, false, {"p string 12", "p number"}},
		{{ES_PUT_WANT_NUMBER, ES_PUT_DECLINED}, &text, 0, true, {"p string 12", "p number"}},
		{{9, ES_PUT_STORED}, &text, 0, false, {"p string 12", "p string 12"}},
		{{9}, &holder, 2, false, {"p other"}},   // an object must become a primitive first
	};
	for (const auto &c : cases) {
		host.answers = c.answers;
		host.seen.clear();
		o->DeleteName(N("p"));
		EXPECT_EQ(o->PutName(nullptr, N("p"), *c.value, o, 0), c.result);
		EXPECT_EQ(host.seen, c.seen);
		EXPECT_EQ(o->FindNameEntry(N("p")) != nullptr, c.stored_natively);
	}
	// Position-based access sees the native tables, never the host's counts.
	EXPECT_EQ(o->NamedCount(), 0u);
	EXPECT_EQ(o->IndexedCount(), 0u);
	EXPECT_EQ(o->NamedEntryAt(5), nullptr);
	js_host_ops = saved;
}

} // namespace

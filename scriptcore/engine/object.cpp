#include "memory.h"
#include "object.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "errors.h"
#include "function.h"
#include "global.h"

// ---------------------------------------------------------------------------
// Property tables

JS_PropertyTable::~JS_PropertyTable()
{
	Clear();
	std::free(entries_);
}

void JS_PropertyTable::DestroyEntry(JS_Property *p)
{
	if (!(p->flags & PROP_INDEX_KEY) && p->key.name)
		p->key.name->Release();
	p->~JS_Property();
}

void JS_PropertyTable::Clear()
{
	JS_ReleaseHold hold;
	// Entries are destroyed from the newest; releasing a value can free
	// other objects but never touches this table again, as the count is
	// lowered first.
	while (count_ > 0) {
		--count_;
		DestroyEntry(&entries_[count_]);
	}
}

bool JS_PropertyTable::Grow()
{
	uint64_t want;
	if (indexed_)
		want = capacity_ ? uint64_t(capacity_) * 2 : 8;
	else
		want = capacity_ ? uint64_t(capacity_) * 3 : 4;
	if (want > UINT32_MAX / sizeof(JS_Property))
		return false;
	JS_Property *fresh = static_cast<JS_Property *>(JS_Malloc(size_t(want) * sizeof(JS_Property)));
	if (!fresh)
		return false;
	for (uint32_t i = 0; i < count_; ++i) {
		new (&fresh[i]) JS_Property{entries_[i].flags, std::move(entries_[i].value), {}};
		fresh[i].key = entries_[i].key;
		entries_[i].~JS_Property();
	}
	std::free(entries_);
	entries_ = fresh;
	capacity_ = uint32_t(want);
	return true;
}

JS_Property *JS_PropertyTable::FindName(JS_Name *name)
{
	for (uint32_t i = count_; i-- > 0;)
		if (entries_[i].key.name == name)
			return &entries_[i];
	return nullptr;
}

uint32_t JS_PropertyTable::LowerBound(uint32_t index) const
{
	uint32_t lo = 0, hi = count_;
	while (lo < hi) {
		uint32_t mid = lo + (hi - lo) / 2;
		if (entries_[mid].key.index < index)
			lo = mid + 1;
		else
			hi = mid;
	}
	return lo;
}

JS_Property *JS_PropertyTable::FindIndex(uint32_t index)
{
	uint32_t at = LowerBound(index);
	if (at < count_ && entries_[at].key.index == index)
		return &entries_[at];
	return nullptr;
}

JS_Property *JS_PropertyTable::AddName(JS_Name *name, const JS_Value &v, uint32_t attributes)
{
	if (count_ == capacity_ && !Grow())
		return nullptr;
	JS_Property *p = new (&entries_[count_]) JS_Property{attributes & PROP_ATTRIBUTES, v, {}};
	p->key.name = name;
	name->AddRef();
	++count_;
	return p;
}

bool JS_PropertyTable::InsertAt(uint32_t position)
{
	if (position > count_)
		return false;
	if (count_ == capacity_ && !Grow())
		return false;
	// Open a gap by moving the later entries up one place.
	new (&entries_[count_]) JS_Property{0, JS_Value(), {}};
	for (uint32_t i = count_; i > position; --i) {
		entries_[i].flags = entries_[i - 1].flags;
		entries_[i].value = std::move(entries_[i - 1].value);
		entries_[i].key = entries_[i - 1].key;
	}
	entries_[position].flags = indexed_ ? uint32_t(PROP_INDEX_KEY) : 0u;
	entries_[position].value.SetUndefined();
	entries_[position].key.index = 0;
	++count_;
	return true;
}

JS_Property *JS_PropertyTable::AddIndex(uint32_t index, const JS_Value &v, uint32_t attributes)
{
	uint32_t at = LowerBound(index);
	if (!InsertAt(at))
		return nullptr;
	JS_Property *p = &entries_[at];
	p->flags = PROP_INDEX_KEY | (attributes & PROP_ATTRIBUTES);
	p->value = v;
	p->key.index = index;
	return p;
}

void JS_PropertyTable::RemoveAt(uint32_t position)
{
	JS_ReleaseHold hold;
	if (position >= count_)
		return;
	// Take the entry out before releasing anything it holds, so that a
	// release that frees other objects finds the table consistent.
	JS_Property gone{entries_[position].flags, std::move(entries_[position].value), {}};
	gone.key = entries_[position].key;
	for (uint32_t i = position; i + 1 < count_; ++i) {
		entries_[i].flags = entries_[i + 1].flags;
		entries_[i].value = std::move(entries_[i + 1].value);
		entries_[i].key = entries_[i + 1].key;
	}
	--count_;
	entries_[count_].~JS_Property();
	if (!(gone.flags & PROP_INDEX_KEY) && gone.key.name)
		gone.key.name->Release();
}

// ---------------------------------------------------------------------------
// JS_Object

namespace {
JS_Object *dead_list = nullptr;
int hold_depth = 0;
const JS_Value shared_undefined;
} // namespace

void DrainReleases()
{
	++hold_depth;
	while (dead_list) {
		JS_Object *o = dead_list;
		dead_list = o->dead_next_;
		delete o;
	}
	--hold_depth;
}

JS_ReleaseHold::JS_ReleaseHold()
{
	++hold_depth;
}

JS_ReleaseHold::~JS_ReleaseHold()
{
	if (--hold_depth == 0 && dead_list)
		DrainReleases();
}

void JS_Object::Release()
{
	if (--count != 0)
		return;
	// A dead object leaves its global object's list at once: clearing must
	// never find (and count) an object that only waits to be freed.
	Unlink();
	dead_next_ = dead_list;
	dead_list = this;
	if (hold_depth == 0)
		DrainReleases();
}

JS_Object::JS_Object(JS_Global_Object *owner, const char *class_text)
	: class_name(class_text)
{
	if (owner) {
		JS_Object *head = owner;
		next_ = head->next_;
		prev_ = head;
		if (next_)
			next_->prev_ = this;
		head->next_ = this;
		linked_ = true;
	}
}

void JS_Object::Unlink()
{
	if (!linked_)
		return;
	prev_->next_ = next_;
	if (next_)
		next_->prev_ = prev_;
	next_ = prev_ = nullptr;
	linked_ = false;
}

JS_Object::~JS_Object()
{
	Unlink();
	JS_Object *p = prototype;
	prototype = nullptr;
	if (p)
		p->Release();
}

void JS_Object::Clear()
{
	JS_ReleaseHold hold;
	names_.Clear();
	indices_.Clear();
	JS_Object *p = prototype;
	prototype = nullptr;
	if (p)
		p->Release();
}

const JS_Value *JS_Object::InternalValue()
{
	return &shared_undefined;
}

bool JS_Object::SetPrototype(JS_Object *p)
{
	JS_ReleaseHold hold;
	if (p)
		p->AddRef();
	JS_Object *old = prototype;
	prototype = p;
	if (old)
		old->Release();
	return true;
}

bool JS_Object::WouldCycle(JS_Object *p) const
{
	for (const JS_Object *o = p; o; o = o->prototype)
		if (o == this)
			return true;
	return false;
}

int JS_Object::DefaultValue(ES_Context *, JS_Frame *, int)
{
	return COMPLETION_NORMAL;
}

int JS_Object::Construct(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	return Raise(cx, self, ERROR_TYPE, MSG_NO_CONSTRUCT);
}

int JS_Object::Call(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	return Raise(cx, self, ERROR_TYPE, MSG_NO_CALL);
}

int JS_Object::HasInstance(const JS_Value &)
{
	return 1;
}

bool JS_Object::SourceText(JS_String *out)
{
	return out->Append("internal error--not a function");
}

int JS_Object::GetOwnIndex(uint32_t index, JS_Value *out, JS_Object *)
{
	if (JS_Property *p = FindIndexEntry(index)) {
		*out = p->value;
		return 1;
	}
	return 0;
}

int JS_Object::GetOwnName(ES_Context *, JS_Name *name, JS_Value *out, JS_Object *)
{
	if (JS_Property *p = FindNameEntry(name)) {
		*out = p->value;
		return 1;
	}
	return 0;
}

int JS_Object::CanPutOwnIndex(uint32_t index)
{
	JS_Property *p = FindIndexEntry(index);
	return p ? !(p->flags & PROP_READ_ONLY) : -1;
}

int JS_Object::CanPutOwnName(JS_Name *name)
{
	JS_Property *p = FindNameEntry(name);
	return p ? !(p->flags & PROP_READ_ONLY) : -1;
}

int JS_Object::HasOwnIndex(uint32_t index)
{
	return FindIndexEntry(index) != nullptr;
}

int JS_Object::HasOwnName(JS_Name *name)
{
	return FindNameEntry(name) != nullptr;
}

int JS_Object::GetByText(ES_Context *cx, const char *text, JS_Value *out)
{
	JS_Name *name = JS_Name::Intern(text);
	if (!name) {
		out->SetUndefined();
		return 0;
	}
	return GetName(cx, name, out, this);
}

int JS_Object::PutByText(ES_Context *cx, const char *text, const JS_Value &v, uint32_t attributes)
{
	JS_Name *name = JS_Name::Intern(text);
	if (!name)
		return 1;
	return PutName(cx, name, v, this, attributes);
}

// ---------------------------------------------------------------------------
// JS_Native_Object

int JS_Native_Object::GetIndex(uint32_t index, JS_Value *out, JS_Object *receiver)
{
	for (JS_Object *o = this; o; o = o->Prototype())
		if (o->GetOwnIndex(index, out, receiver))
			return 1;
	out->SetUndefined();
	return 0;
}

int JS_Native_Object::GetName(ES_Context *cx, JS_Name *name, JS_Value *out, JS_Object *receiver)
{
	for (JS_Object *o = this; o; o = o->Prototype())
		if (o->GetOwnName(cx, name, out, receiver))
			return 1;
	out->SetUndefined();
	return 0;
}

int JS_Native_Object::NativePutIndex(uint32_t index, const JS_Value &v, uint32_t attributes)
{
	JS_ReleaseHold hold;
	if (JS_Property *p = indices_.FindIndex(index)) {
		if (!(p->flags & PROP_READ_ONLY))
			p->value = v;
		return 0;
	}
	return indices_.AddIndex(index, v, attributes) ? 0 : 1;
}

int JS_Native_Object::NativePutName(JS_Name *name, const JS_Value &v, uint32_t attributes)
{
	JS_ReleaseHold hold;
	if (JS_Property *p = names_.FindName(name)) {
		if (!(p->flags & PROP_READ_ONLY))
			p->value = v;
		return 0;
	}
	return names_.AddName(name, v, attributes) ? 0 : 1;
}

int JS_Native_Object::PutIndex(uint32_t index, const JS_Value &v, JS_Object *, uint32_t attributes)
{
	return NativePutIndex(index, v, attributes);
}

int JS_Native_Object::PutName(ES_Context *, JS_Name *name, const JS_Value &v, JS_Object *,
	uint32_t attributes)
{
	return NativePutName(name, v, attributes);
}

// The native answer comes from the nearest object with an own entry (1 when
// none has one).  When it is 0, the hosts of the foreign objects down to that
// one may still allow the assignment.  own and host ask one level.
template <typename Own, typename Host>
static int CanPutAlongChain(JS_Object *start, Own own, Host host)
{
	JS_Object *decider = nullptr;
	for (JS_Object *o = start; o; o = o->Prototype()) {
		int r = own(o);
		if (r == 1)
			return 1;
		if (r == 0) {
			decider = o;
			break;
		}
	}
	if (!decider)
		return 1;
	for (JS_Object *o = start; o; o = o->Prototype()) {
		if (host(o))
			return 1;
		if (o == decider)
			break;
	}
	return 0;
}

int JS_Native_Object::CanPutIndex(uint32_t index, JS_Object *receiver)
{
	return CanPutAlongChain(this, [=](JS_Object *o) { return o->CanPutOwnIndex(index); },
		[=](JS_Object *o) { return o->HostCanPutIndex(index, receiver); });
}

int JS_Native_Object::CanPutName(JS_Name *name, JS_Object *receiver)
{
	return CanPutAlongChain(this, [=](JS_Object *o) { return o->CanPutOwnName(name); },
		[=](JS_Object *o) { return o->HostCanPutName(name, receiver); });
}

int JS_Native_Object::HasIndex(uint32_t index, JS_Object *receiver)
{
	for (JS_Object *o = this; o; o = o->Prototype())
		if (o->HasOwnIndex(index))
			return 1;
	for (JS_Object *o = this; o; o = o->Prototype())
		if (o->HostHasIndex(index, receiver))
			return 1;
	return 0;
}

int JS_Native_Object::HasName(JS_Name *name, JS_Object *receiver)
{
	for (JS_Object *o = this; o; o = o->Prototype())
		if (o->HasOwnName(name))
			return 1;
	for (JS_Object *o = this; o; o = o->Prototype())
		if (o->HostHasName(name, receiver))
			return 1;
	return 0;
}

int JS_Native_Object::NativeDeleteIndex(uint32_t index)
{
	JS_ReleaseHold hold;
	uint32_t at = indices_.LowerBound(index);
	if (at >= indices_.Count() || indices_.At(at)->key.index != index)
		return 1;
	if (indices_.At(at)->flags & PROP_DONT_DELETE)
		return 0;
	indices_.RemoveAt(at);
	return 1;
}

int JS_Native_Object::NativeDeleteName(JS_Name *name)
{
	JS_ReleaseHold hold;
	for (uint32_t i = names_.Count(); i-- > 0;) {
		JS_Property *p = names_.At(i);
		if (p->key.name != name)
			continue;
		if (p->flags & PROP_DONT_DELETE)
			return 0;
		names_.RemoveAt(i);
		return 1;
	}
	return 1;
}

int JS_Native_Object::DeleteIndex(uint32_t index)
{
	return NativeDeleteIndex(index);
}

int JS_Native_Object::DeleteName(JS_Name *name)
{
	return NativeDeleteName(name);
}

JS_Property *JS_Native_Object::FindIndexEntry(uint32_t index)
{
	return indices_.FindIndex(index);
}

JS_Property *JS_Native_Object::FindNameEntry(JS_Name *name)
{
	return names_.FindName(name);
}

uint32_t JS_Native_Object::NamedCount()
{
	return names_.Count();
}

JS_Property *JS_Native_Object::NamedEntryAt(uint32_t position)
{
	return position < names_.Count() ? names_.At(position) : nullptr;
}

uint32_t JS_Native_Object::IndexedCount()
{
	return indices_.Count();
}

JS_Property *JS_Native_Object::IndexedEntryAt(uint32_t position)
{
	return position < indices_.Count() ? indices_.At(position) : nullptr;
}

void JS_Native_Object::RemoveIndexedAt(uint32_t position)
{
	indices_.RemoveAt(position);
}

int JS_Native_Object::InsertIndexedAt(uint32_t position)
{
	return indices_.InsertAt(position) ? 1 : 0;
}

uint32_t JS_Native_Object::IndexedLowerBound(uint32_t index)
{
	return indices_.LowerBound(index);
}

// ---------------------------------------------------------------------------

JS_Property *FindOwnPropertyByText(JS_Object *o, const char *text)
{
	if (!text)
		return nullptr;
	size_t n = std::strlen(text);
	uint32_t index;
	if (IsArrayIndexText(text, uint32_t(n), &index))
		return o->FindIndexEntry(index);
	JS_Name *name = JS_Name::Find(text, n);
	return name ? o->FindNameEntry(name) : nullptr;
}

bool InstallNativeFunctions(JS_Object *o, const JS_NativeFunctionDescriptor *d, int count,
	JS_Global_Object *global)
{
	for (int i = 0; i < count; ++i) {
		JS_Name *name = JS_Name::Intern(d[i].name);
		if (!name)
			return false;
		JS_Native_Function *f = JS_Native_Function::Create(global, global->FunctionPrototype(),
			d[i].step, name, d[i].length, d[i].magic);
		if (!f)
			return false;
		JS_Value v;
		v.SetObject(f);
		if (o->PutName(nullptr, name, v, o, d[i].attributes) != 0)
			return false;
	}
	return true;
}

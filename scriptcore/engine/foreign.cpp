#include "foreign.h"

#include "context.h"

const ES_HostOps *js_host_ops = nullptr;
ES_ErrorReport js_error_report = nullptr;

bool ValueFromHost(const ES_Value &in, JS_Value *out)
{
	switch (in.type) {
	case ES_VALUE_UNDEFINED:
		out->SetUndefined();
		return true;
	case ES_VALUE_NULL:
		out->SetNull();
		return true;
	case ES_VALUE_BOOLEAN:
		out->SetBoolean(in.value.boolean);
		return true;
	case ES_VALUE_NUMBER:
		out->SetNumber(in.value.number);
		return true;
	case ES_VALUE_STRING: {
		JS_String *s = JS_String::Make(in.value.string ? in.value.string : "");
		if (!s)
			return false;
		out->SetString(s);
		return true;
	}
	case ES_VALUE_OBJECT:
		if (in.value.object)
			out->SetObject(in.value.object);
		else
			out->SetNull();
		return true;
	default:
		return true;
	}
}

void ValueToHost(const JS_Value &in, ES_Value *out)
{
	switch (in.tag) {
	case VALUE_UNDEFINED:
		out->type = ES_VALUE_UNDEFINED;
		break;
	case VALUE_NULL:
		out->type = ES_VALUE_NULL;
		break;
	case VALUE_BOOLEAN:
		out->type = ES_VALUE_BOOLEAN;
		out->value.boolean = in.u.boolean != 0;
		break;
	case VALUE_NUMBER:
		out->type = ES_VALUE_NUMBER;
		out->value.number = in.u.number;
		break;
	case VALUE_STRING:
		out->type = ES_VALUE_STRING;
		out->value.string = in.u.string->Text();
		break;
	case VALUE_OBJECT:
		out->type = ES_VALUE_OBJECT;
		out->value.object = in.u.object;
		break;
	default:
		break;   // references never leave the engine
	}
}

static ES_Cookie CookieOf(ES_Context *cx)
{
	return cx ? cx->cookie : 0;
}

JS_Foreign_Object::~JS_Foreign_Object()
{
	if (host_ && js_host_ops && js_host_ops->release)
		js_host_ops->release(host_);
}

void JS_Foreign_Object::Forget()
{
	host_ = nullptr;
	if (host_holds_count_) {
		host_holds_count_ = false;
		Release();
	}
}

void JS_Foreign_Object::Touch()
{
	if (js_host_ops && js_host_ops->touch)
		js_host_ops->touch(host_);
}

int JS_Foreign_Object::GetOwnIndex(uint32_t index, JS_Value *out, JS_Object *receiver)
{
	if (host_ && js_host_ops && js_host_ops->get_index) {
		Touch();
		ES_Value hv{};
		hv.type = ES_VALUE_UNDEFINED;
		if (js_host_ops->get_index(host_, receiver, index, &hv)) {
			if (!ValueFromHost(hv, out))
				out->SetUndefined();
			return 1;
		}
	}
	return JS_Object::GetOwnIndex(index, out, receiver);
}

int JS_Foreign_Object::GetOwnName(ES_Context *cx, JS_Name *name, JS_Value *out, JS_Object *receiver)
{
	if (JS_Object::GetOwnName(cx, name, out, receiver))
		return 1;
	if (host_ && js_host_ops && js_host_ops->get_name) {
		Touch();
		ES_Value hv{};
		hv.type = ES_VALUE_UNDEFINED;
		if (js_host_ops->get_name(host_, receiver, name->text, CookieOf(cx), &hv)) {
			if (!ValueFromHost(hv, out))
				out->SetUndefined();
			return 1;
		}
	}
	return 0;
}

int JS_Foreign_Object::PutThroughHost(ES_Context *cx, JS_Object *receiver, JS_Name *name, uint32_t index,
	const JS_Value &v, uint32_t attributes)
{
	auto ask = [&](const JS_Value &value) {
		ES_Value hv{};
		hv.type = ES_VALUE_UNDEFINED;
		ValueToHost(value, &hv);
		Touch();
		return name ? js_host_ops->put_name(host_, receiver, name->text, CookieOf(cx), &hv)
			    : js_host_ops->put_index(host_, receiver, index, &hv);
	};
	auto store = [&]() {
		return name ? NativePutName(name, v, attributes) : NativePutIndex(index, v, attributes);
	};
	int answer = ask(v);
	switch (answer) {
	case ES_PUT_STORED:
		return 0;
	case ES_PUT_DECLINED:
		return store();
	case ES_PUT_FAILED:
		return 1;
	default:
		break;
	}
	// The host wants a number or a string.  An object must first become a
	// primitive, which only the assignment can do (it runs script).
	if (v.IsObject())
		return 2;
	JS_Value converted;
	if (answer == ES_PUT_WANT_NUMBER) {
		converted.SetNumber(ToNumber(v));
	} else {
		JS_String *s = ToString(v);
		if (!s)
			return 1;
		converted.SetString(s);
	}
	if (ask(converted) == ES_PUT_STORED)
		return 0;
	return store();
}

int JS_Foreign_Object::PutIndex(uint32_t index, const JS_Value &v, JS_Object *receiver, uint32_t attributes)
{
	JS_ReleaseHold hold;
	if (!host_ || !js_host_ops || !js_host_ops->put_index)
		return NativePutIndex(index, v, attributes);
	return PutThroughHost(nullptr, receiver, nullptr, index, v, attributes);
}

int JS_Foreign_Object::PutName(ES_Context *cx, JS_Name *name, const JS_Value &v, JS_Object *receiver,
	uint32_t attributes)
{
	JS_ReleaseHold hold;
	if (!host_ || !js_host_ops || !js_host_ops->put_name || names_.FindName(name))
		return NativePutName(name, v, attributes);
	return PutThroughHost(cx, receiver, name, 0, v, attributes);
}

int JS_Foreign_Object::CanPutOwnIndex(uint32_t index)
{
	if (host_)
		Touch();
	return JS_Object::CanPutOwnIndex(index);
}

int JS_Foreign_Object::CanPutOwnName(JS_Name *name)
{
	if (host_)
		Touch();
	return JS_Object::CanPutOwnName(name);
}

int JS_Foreign_Object::HasOwnIndex(uint32_t index)
{
	if (host_)
		Touch();
	return JS_Object::HasOwnIndex(index);
}

int JS_Foreign_Object::HasOwnName(JS_Name *name)
{
	if (host_)
		Touch();
	return JS_Object::HasOwnName(name);
}

int JS_Foreign_Object::HostHasIndex(uint32_t index, JS_Object *receiver)
{
	return host_ && js_host_ops && js_host_ops->has_index && js_host_ops->has_index(host_, index, receiver);
}

int JS_Foreign_Object::HostHasName(JS_Name *name, JS_Object *receiver)
{
	return host_ && js_host_ops && js_host_ops->has_name &&
	       js_host_ops->has_name(host_, name->text, receiver);
}

int JS_Foreign_Object::HostCanPutIndex(uint32_t index, JS_Object *receiver)
{
	return host_ && js_host_ops && js_host_ops->can_put_index &&
	       js_host_ops->can_put_index(host_, index, receiver);
}

int JS_Foreign_Object::HostCanPutName(JS_Name *name, JS_Object *receiver)
{
	return host_ && js_host_ops && js_host_ops->can_put_name &&
	       js_host_ops->can_put_name(host_, name->text, receiver);
}

int JS_Foreign_Object::DeleteIndex(uint32_t index)
{
	if (host_)
		Touch();
	if (NativeDeleteIndex(index))
		return 1;
	if (!host_ || !js_host_ops || !js_host_ops->delete_index)
		return 0;
	return js_host_ops->delete_index(host_, index);
}

int JS_Foreign_Object::DeleteName(JS_Name *name)
{
	if (host_)
		Touch();
	if (NativeDeleteName(name))
		return 1;
	if (!host_ || !js_host_ops || !js_host_ops->delete_name)
		return 0;
	return js_host_ops->delete_name(host_, name->text);
}

int JS_Foreign_Object::DefaultValue(ES_Context *, JS_Frame *, int)
{
	if (host_ && js_host_ops && js_host_ops->default_value)
		js_host_ops->default_value(host_);
	return COMPLETION_NORMAL;
}

// JS_Foreign_Object: an object whose properties the host supplies through
// ES_HostOps, with a native table behind it for what the host declines.
#ifndef SCRIPTCORE_ENGINE_FOREIGN_H
#define SCRIPTCORE_ENGINE_FOREIGN_H

#include "object.h"
#include "scriptcore.h"

// The host's callbacks, set once by ES_Init.
extern const ES_HostOps *js_host_ops;
extern ES_ErrorReport js_error_report;

// Boundary conversions.  ValueFromHost copies a string (false when memory
// runs out) and leaves out unchanged for a type outside 0..5; ValueToHost
// hands out the engine's own text and a bare object pointer, and leaves out
// as it was for a reference.
bool ValueFromHost(const ES_Value &in, JS_Value *out);
void ValueToHost(const JS_Value &in, ES_Value *out);

class JS_Foreign_Object : public JS_Native_Object {
public:
	JS_Foreign_Object(JS_Global_Object *owner, const char *class_text, ES_HostObject host, bool keep)
		: JS_Native_Object(owner, class_text), host_(host), host_holds_count_(keep)
	{
	}
	~JS_Foreign_Object() override;

	ES_HostObject Host() const { return host_; }
	void SetHost(ES_HostObject host) { host_ = host; }
	// ES_DeleteForeignObject: forget the host object (no release call) and
	// drop the host's count when it held one.
	void Forget();
	bool HostHoldsCount() const { return host_holds_count_; }

	int IsForeign() override { return 1; }

	int PutIndex(uint32_t index, const JS_Value &v, JS_Object *receiver, uint32_t attributes) override;
	int PutName(ES_Context *cx, JS_Name *name, const JS_Value &v, JS_Object *receiver,
		uint32_t attributes) override;
	int DeleteIndex(uint32_t index) override;
	int DeleteName(JS_Name *name) override;
	int DefaultValue(ES_Context *cx, JS_Frame *frame, int hint) override;

	int GetOwnIndex(uint32_t index, JS_Value *out, JS_Object *receiver) override;
	int GetOwnName(ES_Context *cx, JS_Name *name, JS_Value *out, JS_Object *receiver) override;
	int CanPutOwnIndex(uint32_t index) override;
	int CanPutOwnName(JS_Name *name) override;
	int HasOwnIndex(uint32_t index) override;
	int HasOwnName(JS_Name *name) override;
	int HostHasIndex(uint32_t index, JS_Object *receiver) override;
	int HostHasName(JS_Name *name, JS_Object *receiver) override;
	int HostCanPutIndex(uint32_t index, JS_Object *receiver) override;
	int HostCanPutName(JS_Name *name, JS_Object *receiver) override;

protected:
	void Touch();
	// The host's answer to a put, and what the engine does with it.
	int PutThroughHost(ES_Context *cx, JS_Object *receiver, JS_Name *name, uint32_t index,
		const JS_Value &v, uint32_t attributes);

	ES_HostObject host_;
	bool host_holds_count_;
};

#endif

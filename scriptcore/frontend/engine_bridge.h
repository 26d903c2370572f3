/*
 * What the compiler needs from the engine's values and name table, in one
 * place: interned names, counted strings and their counts.  Every function
 * that returns a counted thing hands the caller one count, or null when
 * memory runs out.
 */
#ifndef SCRIPTCORE_FRONTEND_ENGINE_BRIDGE_H
#define SCRIPTCORE_FRONTEND_ENGINE_BRIDGE_H

#include <cstdint>

struct JS_Name;
struct JS_String;

JS_Name *FrontInternName(const char *text, uint32_t length);
void FrontReleaseName(JS_Name *name);
JS_Name *FrontRetainName(JS_Name *name);

JS_String *FrontMakeString(const char *text, uint32_t length);
void FrontReleaseString(JS_String *string);

#endif

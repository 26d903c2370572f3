// A stand-in for the engine's name table and strings, with live counts, so
// that the front end's tests can check that every count taken is given back.
#ifndef TESTS_SCRIPTCORE_FRONT_FAKE_ENGINE_H
#define TESTS_SCRIPTCORE_FRONT_FAKE_ENGINE_H

#include <string>

class JS_Name;

// Names and strings alive right now.
int LiveNames();
int LiveStrings();
std::string NameText(const JS_Name *name);

#endif

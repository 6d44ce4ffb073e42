#pragma once
#include "jvm/Jni.h"

// Whether the exception FindClass left pending says only that the class is
// not there: a NoClassDefFoundError whose message is the class's name as
// looked up (a missing dependency names another class, a class found under
// another case adds "wrong name"). The exception stays pending.
bool IsPendingClassAbsence(JNIEnv* env, const char* className);

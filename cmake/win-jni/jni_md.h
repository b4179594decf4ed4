/* Machine-dependent part of jni.h for Windows builds made from a Linux JDK
 * (which ships only its own platform's part): Windows export and calling
 * conventions and the LLP64 widths of the JNI integer types. */
#ifndef TOVIK_WIN_JNI_MD_H
#define TOVIK_WIN_JNI_MD_H

#ifndef JNIEXPORT
#define JNIEXPORT __declspec(dllexport)
#endif
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

/* long is 32 bits wide on Windows, as jint must be. */
typedef long jint;
typedef __int64 jlong;
typedef signed char jbyte;

#endif

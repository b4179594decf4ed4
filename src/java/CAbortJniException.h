#pragma once
// Thrown (as a pointer made with new) when the current native method has to stop at once
// because a Java exception is pending. It carries nothing; whoever catches it deletes it.
// Only the native call frame catches it (jni/NativeFrame.h).

class CAbortJniException {};

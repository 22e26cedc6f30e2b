#pragma once
// Writes a text to the debugger's output: OutputDebugStringA in the DLL; the native build has
// no debugger output and drops it.
void WriteDebugOutput(const char* text);

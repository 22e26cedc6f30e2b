#pragma once

// Whose classes a registration writes: the machine's, or the current user's alone
// (HKEY_CURRENT_USER\Software\Classes, which HKEY_CLASSES_ROOT then stands for).
enum class RegistrationScope { Machine, CurrentUser };

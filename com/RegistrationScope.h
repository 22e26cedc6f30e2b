#pragma once

// Whose classes a registration writes: the machine's (HKEY_LOCAL_MACHINE\Software\Classes), or
// the current user's alone (HKEY_CURRENT_USER\Software\Classes).
enum class RegistrationScope { Machine, CurrentUser };

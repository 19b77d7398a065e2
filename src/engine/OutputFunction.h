#pragma once

// Receives each piece an output expression produces, in order. The piece ends at its first zero
// byte; the two context values are the caller's own and come back unchanged on every call.
typedef void (*OutputFunction)(const char* pszPiece, void* pContext1, void* pContext2);

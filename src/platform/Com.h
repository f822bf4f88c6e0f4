#pragma once

namespace platform {
// OLE/COM for the calling thread as a single-threaded apartment. Returns the HRESULT.
long InitializeOle();
void UninitializeOle();
}  // namespace platform

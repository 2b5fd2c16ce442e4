#include "app/App.h"
#include "app/AppContext.h"
#include "app/QuitSignals.h"
#include "app/SingleCopy.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int, char**) {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
#endif
    // Before any file is read: a second copy in the same folder leaves everything as it is.
    if (!ClaimPlayerFolder()) return 0;
    WatchQuitSignals();
    GetAppContext();
    return RunProgram();
}

#include "app/App.h"
#include "app/AppContext.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int, char**) {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
#endif
    GetAppContext();
    return RunProgram();
}

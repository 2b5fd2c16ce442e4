#include "app/App.h"
#include "app/AppContext.h"

int main(int, char**) {
    GetAppContext();
    return RunProgram();
}

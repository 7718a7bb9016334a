// Stands in for netsh.exe in the Wine prefix where the setup is tried: Wine's own netsh keeps no
// firewall rules, so the check of the setup reads what the setup asked netsh to do from
// C:\windows\Temp\netsh.log, one command line a line.
#include <stdio.h>
#include <windows.h>

int wmain(void) {
    FILE* log = _wfopen(L"C:\\windows\\Temp\\netsh.log", L"a");
    if (log == NULL) {
        return 1;
    }
    fwprintf(log, L"%ls\n", GetCommandLineW());
    return fclose(log) == 0 ? 0 : 1;
}

// Stands in for netsh.exe in the Wine prefix where the setup is tried: Wine's own netsh keeps no
// firewall rules, so the check of the setup reads what the setup asked netsh to do from
// netsh.log in the temporary folder, one command line a line.
#include <stdio.h>
#include <windows.h>

int wmain(void) {
    wchar_t path[MAX_PATH + 16];
    const DWORD length = GetTempPathW(MAX_PATH, path);
    if (length == 0 || length > MAX_PATH) {
        return 1;
    }
    wcscat(path, L"netsh.log");
    FILE* log = _wfopen(path, L"a");
    if (log == NULL) {
        return 1;
    }
    fwprintf(log, L"%ls\n", GetCommandLineW());
    return fclose(log) == 0 ? 0 : 1;
}

/* run-as-shell.exe PROGRAM [FOLDER]: asks the desktop's shell (Explorer, which runs with the
 * user's ordinary rights) to start PROGRAM, so that a program an elevated installer offers to
 * run starts unelevated, as if the user had started it: the shell's IShellDispatch2::ShellExecute,
 * reached from the desktop window's view (IShellWindows::FindWindowSW(SWC_DESKTOP)). Exit status:
 * 0 asked, 1 no shell to ask (nothing is started then). */
#define COBJMACROS
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <windows.h>

static HRESULT run(const wchar_t *program, const wchar_t *folder)
{
    IShellWindows *windows = NULL;
    IDispatch *desktop = NULL, *background = NULL, *application = NULL;
    IServiceProvider *provider = NULL;
    IShellBrowser *browser = NULL;
    IShellView *view = NULL;
    IShellFolderViewDual *folder_view = NULL;
    IShellDispatch2 *shell = NULL;
    VARIANT where, root, none, operation, show, directory;
    long window = 0;
    HRESULT hr = CoCreateInstance(&CLSID_ShellWindows, NULL, CLSCTX_LOCAL_SERVER, &IID_IShellWindows,
                                  (void **)&windows);
    VariantInit(&where);
    V_VT(&where) = VT_I4;
    V_I4(&where) = CSIDL_DESKTOP;
    VariantInit(&root);
    if (SUCCEEDED(hr))
        hr = IShellWindows_FindWindowSW(windows, &where, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                        &desktop);
    if (hr == S_FALSE || (SUCCEEDED(hr) && !desktop))
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = IDispatch_QueryInterface(desktop, &IID_IServiceProvider, (void **)&provider);
    if (SUCCEEDED(hr))
        hr = IServiceProvider_QueryService(provider, &SID_STopLevelBrowser, &IID_IShellBrowser,
                                           (void **)&browser);
    if (SUCCEEDED(hr))
        hr = IShellBrowser_QueryActiveShellView(browser, &view);
    if (SUCCEEDED(hr))
        hr = IShellView_GetItemObject(view, SVGIO_BACKGROUND, &IID_IDispatch, (void **)&background);
    if (SUCCEEDED(hr))
        hr = IDispatch_QueryInterface(background, &IID_IShellFolderViewDual, (void **)&folder_view);
    if (SUCCEEDED(hr))
        hr = IShellFolderViewDual_get_Application(folder_view, &application);
    if (SUCCEEDED(hr))
        hr = IDispatch_QueryInterface(application, &IID_IShellDispatch2, (void **)&shell);
    if (SUCCEEDED(hr)) {
        BSTR file = SysAllocString(program);
        VariantInit(&none);
        VariantInit(&directory);
        if (folder) {
            V_VT(&directory) = VT_BSTR;
            V_BSTR(&directory) = SysAllocString(folder);
        }
        VariantInit(&operation);
        V_VT(&operation) = VT_BSTR;
        V_BSTR(&operation) = SysAllocString(L"open");
        VariantInit(&show);
        V_VT(&show) = VT_I4;
        V_I4(&show) = SW_SHOWNORMAL;
        hr = IShellDispatch2_ShellExecute(shell, file, none, directory, operation, show);
        SysFreeString(file);
        VariantClear(&directory);
        VariantClear(&operation);
    }
    if (shell)
        IShellDispatch2_Release(shell);
    if (application)
        IDispatch_Release(application);
    if (folder_view)
        IShellFolderViewDual_Release(folder_view);
    if (background)
        IDispatch_Release(background);
    if (view)
        IShellView_Release(view);
    if (browser)
        IShellBrowser_Release(browser);
    if (provider)
        IServiceProvider_Release(provider);
    if (desktop)
        IDispatch_Release(desktop);
    if (windows)
        IShellWindows_Release(windows);
    return hr;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR line, int show)
{
    (void)instance;
    (void)previous;
    (void)line;
    (void)show;
    int argc;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2)
        return 1;
    if (FAILED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
        return 1;
    HRESULT hr = run(argv[1], argc > 2 ? argv[2] : NULL);
    CoUninitialize();
    return FAILED(hr);
}

// SamplePlugin: a plug-in module as a host loads one. It brings a page for the host's options dialog and a
// stand-alone dialog, both made from templates that only the plug-in's module holds.
//
//     HMODULE hPlugin = LoadLibraryW(L"SamplePlugin.dll");
//     auto make = reinterpret_cast<SamplePluginMakeFunction>(GetProcAddress(hPlugin, "SamplePluginMake"));
//     VPluginPage* pPage = nullptr;
//     VPluginDialog* pDialog = nullptr;
//     make(&pPage, &pDialog, pMainWnd);
//     optionsDialog.AddPage(pPage);
//     ...
//     delete pPage;
//     delete pDialog;
#pragma once

class CWnd;
class VPluginPage;
class VPluginDialog;

// Makes the plug-in's page ("Transfers") and its dialog, owned by pParent (may be null). The caller deletes
// both.
typedef void (*SamplePluginMakeFunction)(VPluginPage** ppPage, VPluginDialog** ppDialog, CWnd* pParent);

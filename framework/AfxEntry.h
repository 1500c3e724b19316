#pragma once
// The process entry points of a program built on the framework. Include this header in exactly
// one source file of the program (the one that defines its application object). Both forms are
// defined, so the program links with or without -municode; each hands over to AfxWinMain.
#include "framework/CWinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, AfxGetCommandLineTail(), nCmdShow);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, AfxGetCommandLineTail(), nCmdShow);
}

// Constants of the IME side that mingw-w64's headers lack (the Linux stand-in defines its own).
#pragma once

// Properties (IMEINFO.fdwProperty, low word).
#ifndef IME_PROP_END_UNLOAD
#define IME_PROP_END_UNLOAD 0x0001
#endif
#ifndef IME_PROP_KBD_CHAR_FIRST
#define IME_PROP_KBD_CHAR_FIRST 0x0002
#endif
#ifndef IME_PROP_IGNORE_UPKEYS
#define IME_PROP_IGNORE_UPKEYS 0x0004
#endif
#ifndef IME_PROP_NEED_ALTKEY
#define IME_PROP_NEED_ALTKEY 0x0008
#endif
#ifndef IME_PROP_NO_KEYS_ON_CLOSE
#define IME_PROP_NO_KEYS_ON_CLOSE 0x0010
#endif
#ifndef IME_PROP_ACCEPT_WIDE_VKEY
#define IME_PROP_ACCEPT_WIDE_VKEY 0x0020
#endif
#ifndef UI_CAP_SOFTKBD
#define UI_CAP_SOFTKBD 0x00010000
#endif

// ImeInquire's system information flags.
#ifndef IME_SYSINFO_WINLOGON
#define IME_SYSINFO_WINLOGON 0x0001
#endif
#ifndef IME_SYSINFO_WOW16
#define IME_SYSINFO_WOW16 0x0002
#endif

// NotifyIME actions.
#ifndef NI_CONTEXTUPDATED
#define NI_CONTEXTUPDATED 0x0003
#endif

// WM_IME_CONTROL commands.
#ifndef IMC_GETCONVERSIONMODE
#define IMC_GETCONVERSIONMODE 0x0001
#endif
#ifndef IMC_SETCONVERSIONMODE
#define IMC_SETCONVERSIONMODE 0x0002
#endif
#ifndef IMC_GETSENTENCEMODE
#define IMC_GETSENTENCEMODE 0x0003
#endif
#ifndef IMC_SETSENTENCEMODE
#define IMC_SETSENTENCEMODE 0x0004
#endif
#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#endif
#ifndef IMC_SETOPENSTATUS
#define IMC_SETOPENSTATUS 0x0006
#endif
#ifndef IMC_GETSOFTKBDFONT
#define IMC_GETSOFTKBDFONT 0x0011
#endif
#ifndef IMC_SETSOFTKBDFONT
#define IMC_SETSOFTKBDFONT 0x0012
#endif
#ifndef IMC_GETSOFTKBDPOS
#define IMC_GETSOFTKBDPOS 0x0013
#endif
#ifndef IMC_SETSOFTKBDPOS
#define IMC_SETSOFTKBDPOS 0x0014
#endif
#ifndef IMC_GETSOFTKBDSUBTYPE
#define IMC_GETSOFTKBDSUBTYPE 0x0015
#endif
#ifndef IMC_SETSOFTKBDSUBTYPE
#define IMC_SETSOFTKBDSUBTYPE 0x0016
#endif
#ifndef IMC_SETSOFTKBDDATA
#define IMC_SETSOFTKBDDATA 0x0018
#endif

// WM_IME_NOTIFY commands beyond imm.h's.
#ifndef IMN_SOFTKBDDESTROYED
#define IMN_SOFTKBDDESTROYED 0x0011
#endif

// INPUTCONTEXT.fdwInit.
#ifndef INIT_STATUSWNDPOS
#define INIT_STATUSWNDPOS 0x00000001
#endif
#ifndef INIT_CONVERSION
#define INIT_CONVERSION 0x00000002
#endif
#ifndef INIT_SENTENCE
#define INIT_SENTENCE 0x00000004
#endif
#ifndef INIT_LOGFONT
#define INIT_LOGFONT 0x00000008
#endif
#ifndef INIT_COMPFORM
#define INIT_COMPFORM 0x00000010
#endif
#ifndef INIT_SOFTKBDPOS
#define INIT_SOFTKBDPOS 0x00000020
#endif

// Window extra bytes of a UI window: the input context, then the IME's private data.
#ifndef IMMGWLP_IMC
#define IMMGWLP_IMC 0
#endif
#ifndef IMMGWLP_PRIVATE
#define IMMGWLP_PRIVATE (sizeof(LONG_PTR))
#endif

# System libraries that the sign-in panel does not need, loaded when the program first calls
# them instead of before its first line runs: under Wine each one costs start-up time, and some
# bring others along (the common dialogs the print spooler, the multimedia library its codecs).
#
# korvel_delay_load(<library> <DLL file> <function>...) makes the target <library>_delayed: an
# import library of mingw-w64's delay-load kind (dlltool --output-delaylib) for the named
# functions of the DLL, which a target links in place of <library>. Only functions can be
# loaded late (no data); a function the code calls that is not named here fails the link with
# an undefined __imp_ symbol, and is then added to the list.
#
# The import names come from mingw-w64's own import library (lib<library>.a), so that the
# 32-bit names carry their stack-size decoration. Each function's loader thunk is kept with -u:
# GNU ld (2.40) drops the thunk of a delay-load member when the code reaches the function only
# through its __imp_ pointer (every call declared dllimport, as the Windows headers do), which
# leaves that pointer null on i686.
function(korvel_delay_load library dll)
  set(functions ${ARGN})
  set(import_lib ${CMAKE_FIND_ROOT_PATH}/lib/lib${library}.a)
  if(NOT EXISTS ${import_lib})
    message(FATAL_ERROR "korvel_delay_load: ${import_lib} is missing (mingw-w64's import library of ${dll})")
  endif()
  execute_process(COMMAND ${KORVEL_NM} -g ${import_lib} OUTPUT_VARIABLE symbols RESULT_VARIABLE nm_result
                  ERROR_QUIET)
  if(NOT nm_result EQUAL 0)
    message(FATAL_ERROR "korvel_delay_load: ${KORVEL_NM} could not read ${import_lib}")
  endif()

  set(dir ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${dir})
  set(def "LIBRARY ${dll}\nEXPORTS\n")
  set(keep)
  foreach(fn ${functions})
    # The loader thunk of the function: "T PlaySoundW" (x86_64) or "T _PlaySoundW@12" (i686).
    if(symbols MATCHES " T (_?${fn}(@[0-9]+)?)\n")
      set(thunk ${CMAKE_MATCH_1})
    else()
      message(FATAL_ERROR "korvel_delay_load: ${dll} has no function ${fn} in ${import_lib}")
    endif()
    # The 32-bit names carry the C underscore, which dlltool adds again from the .def file.
    set(exported ${thunk})
    if(NOT KORVEL_ARCH STREQUAL x86_64)
      string(SUBSTRING ${thunk} 1 -1 exported)
    endif()
    string(APPEND def "${exported}\n")
    list(APPEND keep "LINKER:-u,${thunk}")
  endforeach()

  set(def_file ${dir}/${library}.def)
  set(delay_lib ${dir}/lib${library}_delayed.a)
  file(WRITE ${def_file} "${def}")
  set(kill_at)
  if(NOT KORVEL_ARCH STREQUAL x86_64)
    set(kill_at --kill-at) # imported by the undecorated name, as the DLL exports it
  endif()
  execute_process(COMMAND ${KORVEL_DLLTOOL} --input-def ${def_file} --dllname ${dll} --output-delaylib ${delay_lib}
                          ${kill_at}
                  RESULT_VARIABLE dlltool_result ERROR_VARIABLE dlltool_error)
  if(NOT dlltool_result EQUAL 0)
    message(FATAL_ERROR "korvel_delay_load: ${KORVEL_DLLTOOL} failed for ${dll}: ${dlltool_error}")
  endif()

  add_library(${library}_delayed STATIC IMPORTED GLOBAL)
  set_target_properties(${library}_delayed PROPERTIES IMPORTED_LOCATION ${delay_lib})
  target_link_options(${library}_delayed INTERFACE ${keep})
endfunction()

# A library loaded late is also let go early when the process ends (the loader detaches modules in
# the reverse order of their start): a library that code may still call while the process ends
# (Windows Sockets: the core's client object cleans up when the view library lets it go) stays
# an ordinary import.
#
# The functions the program and the stand-ins take from each library that loads late. The core
# component is loaded at start-up too (the main window creates its callback objects): its hashes,
# TLS and certificate checks wait for the first sign-in (the security packages alone bring
# Kerberos, NTLM and the name resolver with them).
korvel_delay_load(comdlg32 COMDLG32.DLL GetOpenFileNameW GetSaveFileNameW)
korvel_delay_load(winmm WINMM.DLL PlaySoundW)
korvel_delay_load(wininet WININET.DLL InternetOpenW InternetConnectW InternetCrackUrlW InternetSetOptionW
                  InternetReadFile InternetCloseHandle HttpOpenRequestW HttpSendRequestW HttpQueryInfoW)
korvel_delay_load(crypt32 CRYPT32.dll CryptBinaryToStringA CryptProtectData CryptUnprotectData
                  CertGetCertificateChain CertVerifyCertificateChainPolicy CertFreeCertificateChain
                  CertFreeCertificateContext)
korvel_delay_load(secur32 Secur32.dll AcquireCredentialsHandleW FreeCredentialsHandle InitializeSecurityContextW
                  DeleteSecurityContext QueryContextAttributesW ApplyControlToken EncryptMessage DecryptMessage
                  FreeContextBuffer)
korvel_delay_load(bcrypt bcrypt.dll BCryptOpenAlgorithmProvider BCryptCloseAlgorithmProvider BCryptGetProperty
                  BCryptCreateHash BCryptHashData BCryptFinishHash BCryptDestroyHash BCryptGenRandom)

# domlar_version_record(<target> LANGUAGE <4 hex digits> CODEPAGE <4 hex digits> [<Name> <Text>]...)
#
# Writes a version record into the target's executable file: a section
# ".domlar_version" holding the translation (language and code page, 16 bits
# each, little-endian) after its length in bytes, then NUL-terminated pairs of
# "\StringFileInfo\<language><code page>\<Name>" and the text, ended by an
# empty name. TFVerInfo reads it back from the file.
set(DOMLAR_VERSION_RECORD_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/VersionRecord.cpp.in)

function(domlar_version_record target)
  cmake_parse_arguments(V "" "LANGUAGE;CODEPAGE" "" ${ARGN})
  set(bytes "")
  foreach(word ${V_LANGUAGE} ${V_CODEPAGE})
    string(SUBSTRING ${word} 2 2 low)
    string(SUBSTRING ${word} 0 2 high)
    string(APPEND bytes "\"\\x${low}\" \"\\x${high}\" ")
  endforeach()
  set(RECORD_TRANSLATION "\"\\x04\" \"\\0\" \"\\0\" \"\\0\" ${bytes}")
  set(RECORD_STRINGS "")
  set(pairs ${V_UNPARSED_ARGUMENTS})
  while(pairs)
    list(POP_FRONT pairs name text)
    string(APPEND RECORD_STRINGS
      "    \"\\\\StringFileInfo\\\\${V_LANGUAGE}${V_CODEPAGE}\\\\${name}\" \"\\0\" \"${text}\" \"\\0\"\n")
  endwhile()
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_VersionRecord.cpp)
  configure_file(${DOMLAR_VERSION_RECORD_TEMPLATE} ${output} @ONLY)
  target_sources(${target} PRIVATE ${output})
endfunction()

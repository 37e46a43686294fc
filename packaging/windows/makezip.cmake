# Stages and zips the Windows programs; run by the zip target.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
foreach(program IN LISTS PROGRAMS)
    get_filename_component(name ${program} NAME)
    execute_process(COMMAND ${STRIP} -o ${STAGE}/${name} ${program} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot strip ${program}")
    endif()
endforeach()

# Windows' Notepad of old reads only CR LF.
function(copy_as_windows_text from to)
    file(READ ${from} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(APPEND ${to} "${text}")
endfunction()

file(READ ${README} readme)
string(REPLACE "@VERSION@" "${VERSION}" readme "${readme}")
file(WRITE ${STAGE}/README-Windows.txt.in "${readme}")
copy_as_windows_text(${STAGE}/README-Windows.txt.in ${STAGE}/README-Windows.txt)
file(REMOVE ${STAGE}/README-Windows.txt.in)

copy_as_windows_text(${LICENSE} ${STAGE}/LICENSE.txt)
file(GLOB notices ${THIRD_PARTY}/*.txt)
if(NOT notices)
    message(FATAL_ERROR "no licence texts of the linked libraries in '${THIRD_PARTY}'")
endif()
list(SORT notices)
foreach(notice IN LISTS notices)
    get_filename_component(library ${notice} NAME_WE)
    file(APPEND ${STAGE}/LICENSE.txt
         "\r\n\r\n==============================================================================\r\n"
         "${library}: linked into the programs and p2kapi.dll\r\n"
         "==============================================================================\r\n\r\n")
    copy_as_windows_text(${notice} ${STAGE}/LICENSE.txt)
endforeach()

get_filename_component(folder ${STAGE} DIRECTORY)
get_filename_component(top ${STAGE} NAME)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${top}
                WORKING_DIRECTORY ${folder} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot write ${ZIP}")
endif()
message(STATUS "Wrote ${ZIP}")

# Checks that every include of the program's own headers in src/ follows the layers' direction:
#
#   app -> forms -> widgets and os -> core
#
# app may include every layer; forms includes forms, widgets, os and core; widgets and os
# include themselves and core, never each other; core includes nothing of ours but core.
# Every header of ours is named from src/ with its layer ("core/convert.h"), never beside the
# file that includes it, so that the layer of each include can be read off its path.
#
#   cmake -DSOURCE_DIR=<src> [-DSTAMP=<file touched when all is well>] -P check_layer_includes.cmake

cmake_minimum_required(VERSION 3.25)

set(layers app forms widgets os core)
set(may_include_app app forms widgets os core)
set(may_include_forms forms widgets os core)
set(may_include_widgets widgets core)
set(may_include_os os core)
set(may_include_core core)
set(rule "The layers include downward only: app -> forms -> widgets and os -> core; widgets and os \
never include each other; core includes nothing of ours.")

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults 0)
foreach(file ${files})
    string(REGEX MATCH "^[^/]+" layer "${file}")
    if(NOT layer IN_LIST layers)
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(include ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${include}")
        string(REGEX MATCH "^[^/]+" header_layer "${header}")
        if(header_layer IN_LIST layers AND EXISTS ${SOURCE_DIR}/${header})
            if(header_layer IN_LIST may_include_${layer})
                continue()
            endif()
            string(REPLACE ";" ", " allowed "${may_include_${layer}}")
            set(fault "\"${header}\" goes against the layers' direction: ${layer}/ may include only ${allowed}.")
        else()
            get_filename_component(dir ${SOURCE_DIR}/${file} DIRECTORY)
            if(NOT EXISTS ${dir}/${header})
                continue() # not one of ours (a generated or a system header)
            endif()
            set(fault "\"${header}\" is named beside the file: name it from src/ with its layer.")
        endif()
        # The line of the include, for editors that jump to file:line.
        file(READ ${SOURCE_DIR}/${file} content)
        string(FIND "${content}" "${include}" at)
        string(SUBSTRING "${content}" 0 ${at} before)
        string(REGEX MATCHALL "\n" line_ends "${before}")
        list(LENGTH line_ends line)
        math(EXPR line "${line} + 1")
        message(NOTICE "${SOURCE_DIR}/${file}:${line}: error: ${fault}\n  ${rule}")
        math(EXPR faults "${faults} + 1")
    endforeach()
endforeach()
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} include(s) against the layers' direction (above).")
endif()
if(STAMP)
    file(TOUCH ${STAMP})
endif()

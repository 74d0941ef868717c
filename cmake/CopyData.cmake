cmake_minimum_required(VERSION 3.25)
# Copies the shipped data folder SOURCE into the program folder DEST.
# Files that hold the user's notes and settings are copied only when they do not exist yet; every other
# file (skins, languages, help, sounds) is refreshed when it changed.
set(USER_FILES
    pdnotes/all.txt
    pdfiles/pdopt.ini
    pdfiles/sys.ini
    pdfiles/category.txt
    pdfiles/frmtoday.ini)

if(NOT SOURCE OR NOT DEST)
    message(FATAL_ERROR "CopyData.cmake needs -DSOURCE=<data folder> -DDEST=<program folder>")
endif()

file(GLOB_RECURSE shipped RELATIVE ${SOURCE} LIST_DIRECTORIES true ${SOURCE}/*)
file(MAKE_DIRECTORY ${DEST})
foreach(rel ${shipped})
    set(from ${SOURCE}/${rel})
    set(to ${DEST}/${rel})
    if(IS_DIRECTORY ${from})
        file(MAKE_DIRECTORY ${to})
    elseif(rel IN_LIST USER_FILES)
        if(NOT EXISTS ${to})
            file(COPY_FILE ${from} ${to})
        endif()
    elseif(rel MATCHES "(^|/)\\.gitkeep$")
        # folder placeholders stay in the source tree
    else()
        file(COPY_FILE ${from} ${to} ONLY_IF_DIFFERENT)
    endif()
endforeach()

# Packs bitmap files into a fresh Allegro datafile, each as a bitmap object
# named after its file without the extension, with Allegro's `dat` tool.
#
#   cmake -DDAT=<dat> -DOUTPUT=<file.dat> -DSOURCE_DIR=<folder> -DNAMES=a,b,c
#         -P pack_bitmaps.cmake
#
# reads <folder>/a.bmp, <folder>/b.bmp, ... Grabber bookkeeping (the source
# paths and dates) is stripped so the file does not depend on where it was
# built. The datafile appears only when complete.
foreach(var DAT OUTPUT SOURCE_DIR NAMES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "pack_bitmaps.cmake needs -D${var}=...")
  endif()
endforeach()

string(REPLACE "," ";" names "${NAMES}")
set(partial ${OUTPUT}.partial)
file(REMOVE ${partial})

set(files)
foreach(name ${names})
  list(APPEND files ${name}.bmp)
endforeach()
# -k names each object after its file; the loop below drops the extension.
execute_process(COMMAND ${DAT} -a -t BMP -bpp 24 -k -c0 -s1 ${partial} ${files}
  WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_QUIET
  COMMAND_ERROR_IS_FATAL ANY)
foreach(name ${names})
  execute_process(COMMAND ${DAT} -s1 ${partial} ${name}.bmp NAME=${name}
    OUTPUT_QUIET
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(RENAME ${partial} ${OUTPUT})

cmake_minimum_required(VERSION 3.25)
# Checks shimlaunch.exe with objdump: a windowed (GUI subsystem) program
# whose icon group 101 lists two images, with a 32x32 and a 16x16 image of
# 16 colours among its icons.
#   cmake -DOBJDUMP=... -DPROGRAM=shimlaunch.exe -P check_image.cmake
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
  OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump -p ${PROGRAM} failed")
endif()

if(NOT headers MATCHES "\nSubsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)")
  message(FATAL_ERROR "${PROGRAM} is not a GUI-subsystem program")
endif()

# objdump prints the resource tree depth first: type entries, their name
# entries, language entries and finally the leaves with the data sizes.
string(FIND "${headers}" "The .rsrc Resource Directory section:" start)
if(start LESS 0)
  message(FATAL_ERROR "${PROGRAM} has no resources")
endif()
string(SUBSTRING "${headers}" ${start} -1 resources)
string(REPLACE "\n" ";" lines "${resources}")
set(type "")
set(name "")
set(leaves)
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-f]+   Entry: ID: 0x([0-9a-f]+)")
    math(EXPR type "0x${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[0-9a-f]+     Entry: ID: 0x([0-9a-f]+)")
    math(EXPR name "0x${CMAKE_MATCH_1}")
  elseif(line MATCHES "Leaf: Addr: 0x[0-9a-f]+, Size: 0x([0-9a-f]+)")
    math(EXPR size "0x${CMAKE_MATCH_1}")
    list(APPEND leaves "${type}/${name}/${size}")
  endif()
endforeach()

# An icon group of n images is 6 + 14 n bytes.
if(NOT "14/101/34" IN_LIST leaves)
  message(FATAL_ERROR "no icon group 101 with two images in ${PROGRAM}: ${leaves}")
endif()
# A 16-colour icon image: header (40), palette (64), colour bits and mask,
# rows padded to 4 bytes.
foreach(pixels 32 16)
  math(EXPR colourRow "((${pixels} * 4 + 31) / 32) * 4")
  math(EXPR maskRow "((${pixels} + 31) / 32) * 4")
  math(EXPR bytes "40 + 64 + ${pixels} * (${colourRow} + ${maskRow})")
  if(NOT leaves MATCHES "(^|;)3/[0-9]+/${bytes}(;|$)")
    message(FATAL_ERROR "no ${pixels}x${pixels} 16-colour icon image in ${PROGRAM}: ${leaves}")
  endif()
endforeach()
message(STATUS "${PROGRAM}: GUI subsystem; resources ${leaves}")

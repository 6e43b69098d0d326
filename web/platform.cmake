# The browser's platform for emscripten's CMake wrapper (emcmake cmake): what find_package gives
# natively, from emscripten's own SDL 1.2 and Debian's Boost headers; for the game
# (VELMOOR_WEB) also OpenGL through our layer (web/gl), the texture upload in place of SOIL's,
# and zlib built from Debian's source (scripts/deps.sh --web unpacks it).
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "The web builds are made with emscripten: configure with emcmake cmake")
endif()

# emscripten's SDL 1.2 comes with its C library: SDL/SDL.h is found and linked as it is.
add_library(SDL::SDL INTERFACE IMPORTED)
# One thread: the driver mixes offline, the page's audio callback runs on the main thread, and
# the random source's lock is a no-op here.
add_library(Threads::Threads INTERFACE IMPORTED)
# Boost's headers through a folder that holds nothing but a link to them: /usr/include itself
# would shadow emscripten's C library headers.
set(boost_root ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${boost_root})
file(CREATE_LINK /usr/include/boost ${boost_root}/boost SYMBOLIC)
add_library(Boost::headers INTERFACE IMPORTED)
set_target_properties(Boost::headers PROPERTIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${boost_root}
  INTERFACE_INCLUDE_DIRECTORIES ${boost_root})

if(VELMOOR_WEB_ONLY)
  # velmoor-sim runs under Node, reading and writing the machine's own files, and its exit
  # status is main's.
  add_link_options(-sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
  return()
endif()

# A folder of links in the build tree, ahead of the system's headers: ROOT/SUB/NAME for each
# of FILES (the sources' own folders never go on an include path).
function(velmoor_web_include_root root sub)
  file(MAKE_DIRECTORY ${root}/${sub})
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    file(CREATE_LINK ${file} ${root}/${sub}/${name} SYMBOLIC)
  endforeach()
endfunction()

# <GL/gl.h> and <GL/glu.h> lead to our layer, which web/CMakeLists.txt builds as web_gl.
set(gl_root ${CMAKE_BINARY_DIR}/include/web-gl)
velmoor_web_include_root(${gl_root} GL ${CMAKE_SOURCE_DIR}/web/gl/GL/gl.h
  ${CMAKE_SOURCE_DIR}/web/gl/GL/glu.h ${CMAKE_SOURCE_DIR}/web/gl/GL/velmoor_layer.h)
add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${gl_root}
  INTERFACE_LINK_LIBRARIES web_gl)
add_library(OpenGL::GLU INTERFACE IMPORTED)
set_target_properties(OpenGL::GLU PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${gl_root}
  INTERFACE_LINK_LIBRARIES web_gl)

# <SOIL/SOIL.h>: the one call the game makes, over emscripten's image decoder.
set(soil_root ${CMAKE_BINARY_DIR}/include/web-soil)
velmoor_web_include_root(${soil_root} SOIL ${CMAKE_SOURCE_DIR}/web/soil/SOIL/SOIL.h)
add_library(SOIL::SOIL INTERFACE IMPORTED)
set_target_properties(SOIL::SOIL PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${soil_root}
  INTERFACE_LINK_LIBRARIES web_soil)

# zlib's inflating and CRCs, all the PNG check uses, compiled from Debian's source as it is
# (not with our warnings: it is not our code).
file(GLOB zlib_found /usr/local/src/velmoor-zlib/zlib-*/inflate.c)
list(GET zlib_found 0 zlib_inflate)
get_filename_component(zlib_default ${zlib_inflate} DIRECTORY)
set(VELMOOR_ZLIB_SOURCE ${zlib_default} CACHE PATH "zlib's source (scripts/deps.sh --web unpacks it)")
if(NOT EXISTS ${VELMOOR_ZLIB_SOURCE}/inflate.c)
  message(FATAL_ERROR "no zlib source in '${VELMOOR_ZLIB_SOURCE}': run scripts/deps.sh --web")
endif()
set(zlib_lib ${CMAKE_BINARY_DIR}/zlib/libz.a)
set(zlib_objects "")
foreach(name adler32 crc32 inffast inflate inftrees zutil)
  set(object ${CMAKE_BINARY_DIR}/zlib/${name}.o)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_C_COMPILER} -O2 -DHAVE_UNISTD_H -c ${VELMOOR_ZLIB_SOURCE}/${name}.c -o ${object}
    DEPENDS ${VELMOOR_ZLIB_SOURCE}/${name}.c VERBATIM)
  list(APPEND zlib_objects ${object})
endforeach()
add_custom_command(OUTPUT ${zlib_lib} COMMAND ${CMAKE_AR} rcs ${zlib_lib} ${zlib_objects}
  DEPENDS ${zlib_objects} VERBATIM)
add_custom_target(zlib_build DEPENDS ${zlib_lib})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/zlib)
add_library(ZLIB::ZLIB STATIC IMPORTED)
set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_LOCATION ${zlib_lib}
  INTERFACE_INCLUDE_DIRECTORIES ${VELMOOR_ZLIB_SOURCE})
add_dependencies(ZLIB::ZLIB zlib_build)

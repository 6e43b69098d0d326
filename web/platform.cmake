# The browser's platform for emscripten's CMake wrapper (emcmake cmake -DVELMOOR_WEB_ONLY=ON):
# what find_package gives natively, from emscripten's own SDL 1.2 and Debian's Boost headers.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "VELMOOR_WEB_ONLY builds with emscripten: configure with emcmake cmake")
endif()

# emscripten's SDL 1.2 comes with its C library: SDL/SDL.h is found and linked as it is.
add_library(SDL::SDL INTERFACE IMPORTED)
# One thread: the driver mixes offline, and the random source's lock is a no-op here.
add_library(Threads::Threads INTERFACE IMPORTED)
# Boost's headers through a folder that holds nothing but a link to them: /usr/include itself
# would shadow emscripten's C library headers.
set(boost_root ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${boost_root})
file(CREATE_LINK /usr/include/boost ${boost_root}/boost SYMBOLIC)
add_library(Boost::headers INTERFACE IMPORTED)
set_target_properties(Boost::headers PROPERTIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${boost_root}
  INTERFACE_INCLUDE_DIRECTORIES ${boost_root})

# velmoor-sim runs under Node, reading and writing the machine's own files, and its exit
# status is main's.
add_link_options(-sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)

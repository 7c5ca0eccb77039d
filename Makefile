# Kelvarn: `make run` builds and starts the game, `make test` builds and runs every test. Both
# install the Debian packages that are missing first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run build test test-unit test-sanitize deps deps-test deps-package install package bench clean \
  format windows test-windows deps-windows windows-setup

run: deps build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "kelvarn: no display found (DISPLAY is not set); start it on a virtual display with: xvfb-run -a make run"; \
	  exit 1; \
	fi
	$(BUILD)/kelvarn

deps:
	@tools/install-deps.sh run

deps-test:
	@tools/install-deps.sh test

deps-package:
	@tools/install-deps.sh package

deps-windows:
	@tools/install-deps.sh windows

$(BUILD)/Makefile: CMakeLists.txt
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# clang-tidy takes minutes of CPU: it runs from the start on idle time only (SCHED_IDLE), filling
# the gaps the end-to-end tests and Wine leave, and its verdict is awaited at the end.
test: deps-test build
	@set -e; \
	setsid chrt --idle 0 cmake --build $(BUILD) --target lint >$(BUILD)/lint.log 2>&1 & lint=$$!; \
	trap 'kill -- -$$lint 2>/dev/null || true' EXIT; \
	(cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE lint); \
	$(MAKE) test-sanitize; \
	$(MAKE) test-windows; \
	echo "clang-tidy (lint.clang-tidy), started with the tests:"; \
	if wait $$lint; then grep -h '^clang-tidy:' $(BUILD)/lint.log; else cat $(BUILD)/lint.log; exit 1; fi

# The unit and widget tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
# The random soak there compares its board with a whole repaint on every tenth frame and after
# every change of colour, restart and resume (the ordinary build compares every frame).
test-sanitize: deps-test
	cmake -S . -B $(SANITIZE_BUILD) $(CMAKE_FLAGS) -DKELVARN_SANITIZE=ON -DKELVARN_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target kelvarn_tests kelvarn_widget_tests \
	  kelvarn_assetgen_tests
	cd $(SANITIZE_BUILD) && KELVARN_SOAK_COMPARE_EVERY=10 ctest --output-on-failure -j $(JOBS) \
	  -LE 'e2e|lint|desktop|install' -E '^(assets|e2e)\.|_NOT_BUILT'

# The Windows program, cross-built with MinGW-w64 into $(WINDOWS_BUILD), and the portable zip
# $(WINDOWS_BUILD)/Kelvarn-<version>-win64.zip (kelvarn.exe and sound\).
$(WINDOWS_BUILD)/Makefile: CMakeLists.txt cmake/KelvarnWindows.cmake cmake/mingw-w64-x86_64.cmake
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release

windows: deps-windows $(WINDOWS_BUILD)/Makefile
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target kelvarn_zip

# The setup program beside the zip: build-windows/Kelvarn-<version>-setup.exe (windows/setup/).
windows: windows-setup
windows-setup: deps-windows $(WINDOWS_BUILD)/Makefile
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target setup

# The Windows build's tests, under Wine: the Qt-free core's and the Win32 services' unit tests,
# and the Windows program end to end.
test-windows: deps-windows $(WINDOWS_BUILD)/Makefile
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b" || exit 1; fi; \
	done

install: build
	cmake --install $(BUILD)

# A Debian package of the game built in $(BUILD) (stripped), checked by lintian: only the program
# is built, not the tests.
package: deps-package $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target kelvarn
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error,warning $(BUILD)/kelvarn_$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' \
	  $(BUILD)/CMakeCache.txt)_$$(dpkg --print-architecture).deb

format:
	clang-format -i $$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'tools/*.cpp' 'tools/*.h' 'fuzz/*.cpp')

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD)

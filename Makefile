# Thin wrapper over CMake. `make run`, `make test`, `make bench`, `make install`, `make package`;
# the checking builds `make test-sanitize` and `make fuzz` (FUZZ_SECONDS per target;
# FUZZ_TARGETS="txd dds" for some of them) live in folders of their own.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
ARCHIVE ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench install package test-sanitize fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

# Our own build, the one `make test` and CI run, treats every warning as an error.
$(BUILD)/build.ninja: CMakeLists.txt Makefile
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh "$(BUILD)" "$(ARCHIVE)"

test: build
	@bash scripts/test.sh "$(BUILD)"

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target varmelo_bench varmelo_gui_bench varmelo_scene_bench
	$(BUILD)/bench/varmelo_bench
	$(BUILD)/bench/varmelo_gui_bench
	# The 3D view draws through OpenGL, which needs an X server: Mesa under Xvfb.
	QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' $(BUILD)/bench/varmelo_scene_bench

# Installs the programs, desktop entry, icon, MIME types, language files and manual page
# under PREFIX (DESTDIR is honoured for staging).
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

# $(BUILD)/varmelo_<version>_<arch>.deb
package: build
	cmake --build $(BUILD) --target package

# The core and command-line suites under AddressSanitizer and UndefinedBehaviorSanitizer: the
# first report fails the test it happens in.
$(SANITIZE_BUILD)/build.ninja: CMakeLists.txt Makefile
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
	  -DVARMELO_SANITIZE=ON

test-sanitize: deps $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target varmelo-cli core_tests cli_tests
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L 'core|cli'

# libFuzzer targets, built by clang apart from our gcc build.
$(FUZZ_BUILD)/build.ninja: CMakeLists.txt Makefile
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
	  -DCMAKE_CXX_COMPILER=clang++ -DVARMELO_FUZZ=ON -DBUILD_TESTING=OFF

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/fuzz.sh "$(FUZZ_BUILD)" "$(FUZZ_SECONDS)" $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)

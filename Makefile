# Two commands on a fresh Debian 12 machine:
#   make run   installs what is missing, builds, starts the program
#   make test  installs what is missing, builds, runs every test headless
BUILD      ?= build
TEST_BUILD ?= build-test
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

.PHONY: run test build deps test-deps bench install package clean

deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --test

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./ballmere

# Tests run under AddressSanitizer and UndefinedBehaviorSanitizer in a build of their own.
test: test-deps
	cmake -S . -B $(TEST_BUILD) -G Ninja -DBALLMERE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Installs into $(PREFIX) (default /usr/local): the program, its menu entry and icon.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package (build/ballmere-pro_<version>_<arch>.deb) of what install installs.
package: build
	cd $(BUILD) && cpack

bench: build
	bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(TEST_BUILD)

# The two commands of the README, `make run` and `make test`; `make package` for a
# .deb; for Windows `make windows`, `make windows-test` and `make windows-zip`; for
# the web page `make web`, `make web-serve`, `make web-test` and `make web-bench`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# The build's own make would otherwise print every directory it enters.
MAKEFLAGS += --no-print-directory

WIN_DIR := build-windows
# The web page's folder, which a teacher copies to a web server as it is, and the
# folder of its build and of its test's node modules, which stays here.
WEB_DIR := build-web
WEB_WORK := build-web-work
WEB_PORT ?= 8000
PUPPETEER_CORE_VERSION := 24.43.1
# emscripten's JavaScript optimiser finds acorn there on Debian.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

.PHONY: run test package build program clang-build deps test-deps package-deps configure \
        clang-configure bench pictures clean windows windows-test windows-zip web web-serve \
        web-test web-bench puppeteer

run: deps program
	./$(BUILD_DIR)/gearmesh

# The suite runs on the g++ build (asserts compiled out), then once more with the
# asserts on, on a clang++ Debug build: there the window tests (label e2e) are left
# out but for those of the keys, the animation and the dialogue (window_asserts).
test: test-deps build clang-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_DIR)-clang && ctest --output-on-failure -j $(JOBS) -LE e2e
	cd $(BUILD_DIR)-clang && ctest --output-on-failure -j $(JOBS) -L window_asserts

# A .deb of the program, its desktop entry, icon and documents (CPack).
package: package-deps program
	cd $(BUILD_DIR) && cpack -G DEB

program: configure
	cmake --build $(BUILD_DIR) --target gearmesh -j $(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

clang-build: clang-configure
	cmake --build $(BUILD_DIR)-clang -j $(JOBS)

# Configures a build folder when it has never been configured, or when the set of
# installed packages has changed since (packages.state, kept by the package step):
# CMake caches what it did not find, so a folder configured before the test
# packages came would never build the tests. The output goes to configure.log.
define configure_in
	@if [ ! -f $(1)/configured.stamp ] || [ $(BUILD_DIR)/packages.state -nt $(1)/configured.stamp ]; then \
	  mkdir -p $(1) && rm -f $(1)/configured.stamp && \
	  echo "Configuring $(1) (log in $(1)/configure.log)" && \
	  { $(2) cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=$(3) $(4) > $(1)/configure.log 2>&1 || \
	    { cat $(1)/configure.log; exit 1; }; } && \
	  touch $(1)/configured.stamp; \
	fi
endef

configure:
	$(call configure_in,$(BUILD_DIR),,RelWithDebInfo)

clang-configure:
	$(call configure_in,$(BUILD_DIR)-clang,CXX=clang++ CC=clang,Debug)

deps:
	@bash scripts/install-deps.sh run $(BUILD_DIR)

test-deps:
	@bash scripts/install-deps.sh test $(BUILD_DIR)

package-deps:
	@bash scripts/install-deps.sh package $(BUILD_DIR)

bench: test-deps build
	bash scripts/run-benchmark.sh $(BUILD_DIR)

pictures: test-deps build
	bash scripts/make-pictures.sh $(BUILD_DIR)

# gearmesh.exe, cross-built; freeglut and GoogleTest are built once into $(WIN_DIR)/deps.
windows:
	@JOBS=$(JOBS) bash scripts/build-windows.sh

# Checks gearmesh.exe under Wine against the Linux program's console output, and
# that the zip carries the notices of all that the linker put into gearmesh.exe.
windows-test: test-deps build windows-zip
	python3 -B tests/windows/check_wine.py $(WIN_DIR) $(BUILD_DIR)/gearmesh
	python3 -B tests/check_notices.py zip $(WIN_DIR)/gearmesh-windows.zip $(WIN_DIR)/gearmesh.map

# What a teacher copies onto the classroom PCs, with gearmesh's licence and the
# notices of the libraries linked into gearmesh.exe. The texts get Windows line
# ends, and the Japanese one a UTF-8 byte order mark, without which older Notepads
# read it in the code page.
windows-zip: windows
	rm -rf $(WIN_DIR)/zip $(WIN_DIR)/gearmesh-windows.zip
	mkdir -p $(WIN_DIR)/zip/gearmesh
	cp $(WIN_DIR)/gearmesh.exe docs/gearmesh-english.bat docs/view1.png docs/view2.png \
	   docs/view3.png docs/view4.png docs/view5.png $(WIN_DIR)/zip/gearmesh/
	{ printf '\357\273\277'; sed 's/\r*$$/\r/' docs/windows-start.txt; } \
	  > $(WIN_DIR)/zip/gearmesh/windows-start.txt
	sed 's/\r*$$/\r/' LICENSE > $(WIN_DIR)/zip/gearmesh/LICENSE.txt
	sed 's/\r*$$/\r/' packaging/notices/windows.txt > $(WIN_DIR)/zip/gearmesh/THIRD-PARTY-NOTICES.txt
	cd $(WIN_DIR)/zip && zip -q -X -r ../gearmesh-windows.zip gearmesh
	@ls -l $(WIN_DIR)/gearmesh-windows.zip

# The web page: build-web/ holds index.html, gearmesh.js, gearmesh.wasm and the
# licence texts, and nothing else.
web:
	@bash scripts/install-deps.sh web $(WEB_WORK)
	$(call configure_in,$(WEB_WORK)/cmake,$(EMSCRIPTEN_ENV) emcmake,Release,-DGEARMESH_WEB_DIR=$(CURDIR)/$(WEB_DIR))
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_WORK)/cmake -j $(JOBS)
	@ls -l $(WEB_DIR)

web-serve: web
	@echo "gearmesh: open http://127.0.0.1:$(WEB_PORT)/ in a browser on this machine (Ctrl-C ends)"
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_DIR) $(WEB_PORT)

# The page in headless chromium against the desktop program.
web-test: test-deps program web puppeteer
	GEARMESH_WEB_DIR=$(WEB_DIR) NODE_PATH=$(WEB_WORK)/node_modules \
	  python3 -B tests/web/web_test.py $(BUILD_DIR)/gearmesh

# The page's time to its first picture and its frames, in headless chromium.
web-bench: web puppeteer
	NODE_PATH=$(WEB_WORK)/node_modules node bench/web_frames.js $(WEB_DIR)

# chromium, and puppeteer-core to drive it, installed into $(WEB_WORK) in the
# version given above.
puppeteer:
	@bash scripts/install-deps.sh web-test $(WEB_WORK)
	@if [ "$$(node -p "require('./$(WEB_WORK)/node_modules/puppeteer-core/package.json').version" \
	          2>/dev/null)" != "$(PUPPETEER_CORE_VERSION)" ]; then \
	  echo "Installing puppeteer-core $(PUPPETEER_CORE_VERSION) into $(WEB_WORK) (log in $(WEB_WORK)/npm.log)"; \
	  npm install --prefix $(WEB_WORK) --no-save --no-audit --no-fund \
	    puppeteer-core@$(PUPPETEER_CORE_VERSION) > $(WEB_WORK)/npm.log 2>&1 || \
	    { cat $(WEB_WORK)/npm.log; exit 1; }; \
	fi

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-clang $(WIN_DIR) $(WEB_DIR) $(WEB_WORK)
